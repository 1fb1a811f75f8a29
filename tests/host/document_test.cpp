// The open drawing and the host's transactions over it.

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/files.h"
#include "host/document.h"

namespace fs = std::filesystem;

namespace {

const std::string kConnection = std::string(SS_TEST_DATA_DIR) + "/standards/connection.json";

class HostDocument : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_document_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        ASSERT_TRUE(ObjectExportCopyFile(kConnection, path("d.json")));
        Zrk_String message;
        ASSERT_TRUE(document.open(path("d.json"), message)) << message;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    double width() { return document.database().findMacro(AcDbObjectId(7))->macro()->modules[0].variables[0].value; }

    fs::path folder;
    host::Document document;
};

} // namespace

TEST_F(HostDocument, AbortPutsBackEndKeeps) {
    host::TransactionManager& manager = document.transactionManager();
    AcTransaction* outer = manager.startTransaction();
    ASSERT_NE(outer, nullptr);
    Zrk_DbMacro* macro = nullptr;
    ASSERT_EQ(outer->getObject(macro, AcDbObjectId(7), host::OpenMode::forWrite), Acad::eOk);
    macro->macroWrite()->modules[0].variables[0].value = 1;

    AcTransaction* inner = manager.startTransaction();
    EXPECT_EQ(manager.topTransaction(), inner);
    EXPECT_EQ(outer->getObject(macro, AcDbObjectId(7)), Acad::eNotApplicable); // only the innermost
    ASSERT_EQ(inner->getObject(macro, AcDbObjectId(7), host::OpenMode::forWrite), Acad::eOk);
    macro->macroWrite()->modules[0].variables[0].value = 2;
    EXPECT_EQ(inner->getObject(macro, AcDbObjectId(99)), Acad::eKeyNotFound);
    EXPECT_EQ(inner->getObject(macro, AcDbObjectId()), Acad::eNullObjectId);
    ASSERT_EQ(manager.abortTransaction(), Acad::eOk);
    EXPECT_EQ(width(), 1.0);
    ASSERT_EQ(manager.endTransaction(), Acad::eOk);
    EXPECT_EQ(width(), 1.0);
    EXPECT_EQ(manager.numActiveTransactions(), 0);
    EXPECT_EQ(manager.endTransaction(), Acad::eNotApplicable);
    EXPECT_EQ(manager.abortTransaction(), Acad::eNotApplicable);
    EXPECT_TRUE(document.database().isModified());
}

TEST_F(HostDocument, NothingIsReplacedOrSavedDuringATransaction) {
    Zrk_String message;
    AcTransaction* transaction = document.transactionManager().startTransaction();
    Zrk_DbMacro* macro = nullptr;
    ASSERT_EQ(transaction->getObject(macro, AcDbObjectId(7), host::OpenMode::forWrite), Acad::eOk);
    macro->macroWrite()->modules[0].variables[0].value = 5;
    EXPECT_FALSE(document.save(message));
    EXPECT_EQ(message, path("d.json") + ": the drawing cannot be saved while a transaction is active");
    EXPECT_FALSE(document.open(kConnection, message));
    EXPECT_FALSE(document.close());
    ASSERT_EQ(document.transactionManager().endTransaction(), Acad::eOk);

    ASSERT_TRUE(document.save(message)) << message;
    host::Document reopened;
    ASSERT_TRUE(reopened.open(path("d.json"), message)) << message;
    EXPECT_EQ(reopened.database().findMacro(AcDbObjectId(7))->macro()->modules[0].variables[0].value, 5.0);

    // A file that is not a drawing leaves the open one as it was.
    ASSERT_TRUE(writeFileAtomically(path("bad.json"), "{}"));
    EXPECT_FALSE(document.open(path("bad.json"), message));
    EXPECT_EQ(message, path("bad.json") + ": \"format\" must be \"ss-drawing\" (this is not a drawing file)");
    EXPECT_EQ(document.path(), path("d.json"));
    EXPECT_EQ(width(), 5.0);

    ASSERT_TRUE(document.close());
    EXPECT_FALSE(document.isOpen());
    EXPECT_EQ(document.transactionManager().startTransaction(), nullptr);
    EXPECT_FALSE(document.save(message));
}

TEST_F(HostDocument, TransactionsAreUndoneAndRedoneAndHeard) {
    int heard = 0;
    document.setChangeListener([&heard] { ++heard; });
    host::TransactionManager& manager = document.transactionManager();
    Zrk_String message;
    EXPECT_FALSE(document.undo(message));
    EXPECT_EQ(message, "there is nothing to undo");

    AcTransaction* outer = manager.startTransaction();
    Zrk_DbMacro* macro = nullptr;
    ASSERT_EQ(outer->getObject(macro, AcDbObjectId(7), host::OpenMode::forWrite), Acad::eOk);
    macro->macroWrite()->modules[0].variables[0].value = 1;
    manager.startTransaction();
    manager.endTransaction(); // inner: nobody hears yet
    EXPECT_EQ(heard, 0);
    EXPECT_FALSE(document.undo(message)); // not during a transaction
    EXPECT_NE(message.find("while a transaction is active"), Zrk_String::npos);
    manager.endTransaction();
    EXPECT_EQ(heard, 1);

    ASSERT_TRUE(document.undo(message)) << message;
    EXPECT_EQ(width(), 150.0);
    EXPECT_FALSE(document.database().isModified());
    ASSERT_TRUE(document.redo(message)) << message;
    EXPECT_EQ(width(), 1.0);
    EXPECT_TRUE(document.database().isModified());
    EXPECT_EQ(heard, 3);

    manager.startTransaction();
    manager.abortTransaction(); // heard, but no step
    EXPECT_EQ(heard, 4);
    EXPECT_EQ(document.database().undoSteps(), 1);
}
