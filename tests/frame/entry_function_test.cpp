// The modal entry pattern: the dialog works on a copy of the caller's record; the record changes on
// OK only, unless the entry says it is always or never copied back; the module's resources are
// current while the dialog runs unless the entry relies on its caller's.

#include <gtest/gtest.h>

#include "module/entry_function.h"
#include "module/module_resources.h"
#include "module/module_state.h"
#include "host/module_entry.h"
#include "ui/dialog.h"
#include "ui/resources.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

constexpr int kTemplate = 9950;
constexpr int kNameEdit = 9951;

const ui::DialogTemplate kRecordTemplate(kTemplate, "Record", 160, 50,
                                         {
                                             {kNameEdit, ui::Kind::Edit, "", 7, 7, 146, 14},
                                             {ui::IDOK, ui::Kind::DefPushButton, "OK", 55, 29, 44, 14},
                                             {ui::IDCANCEL, ui::Kind::PushButton, "Cancel", 109, 29, 44, 14},
                                         });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kRecordTemplate);

struct NamedRecord {
    std::string name;
    int edits = 0;
};

class DlgRecord : public ui::Dialog {
public:
    explicit DlgRecord(int bonus = 0) : ui::Dialog(kTemplate), bonus_(bonus) {}
    NamedRecord data;
    bool sawModuleResources = false;

protected:
    bool onInitDialog() override {
        sawModuleResources = core::currentResourceInstance() == frame::moduleInstance();
        setItemText(kNameEdit, data.name);
        return true;
    }
    bool onCommand(int id, int code) override {
        // Every change goes into the dialog's own record at once, so that Cancel shows whether the
        // caller's record was spared.
        if (id == kNameEdit && code == ui::EN_CHANGE) {
            data.name = itemText(kNameEdit);
            data.edits += 1 + bonus_;
            return true;
        }
        return ui::Dialog::onCommand(id, code);
    }

private:
    int bonus_;
};

void typeAndEnd(ui::ScriptedUser& user, const char* text, int button) {
    user.onDialog(kTemplate, [text, button](ui::DialogUser& u) {
        u.typeText(kNameEdit, text);
        u.click(button);
    });
}

// The module attached, as the host has it when anybody calls an entry function.
class EntryFunction : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DllMain(&instance_, host::kProcessAttach, nullptr), 1); }
    void TearDown() override { EXPECT_EQ(DllMain(&instance_, host::kProcessDetach, nullptr), 1); }

private:
    int instance_ = 0;
};

} // namespace

TEST_F(EntryFunction, OkCopiesTheDialogsRecordBackAndCancelLeavesTheCallersAlone) {
    ui::ScriptedUser user;
    NamedRecord record{"Beam", 0};
    typeAndEnd(user, "Column", ui::IDCANCEL);
    EXPECT_FALSE(frame::runModalOnCopy<DlgRecord>(record));
    EXPECT_EQ(record.name, "Beam");
    EXPECT_EQ(record.edits, 0);

    typeAndEnd(user, "Column", ui::IDOK);
    EXPECT_TRUE(frame::runModalOnCopy<DlgRecord>(record));
    EXPECT_EQ(record.name, "Column");
    EXPECT_GT(record.edits, 0);
}

TEST_F(EntryFunction, EntriesThatAlwaysOrNeverCopyBackSayWhetherOkWasPressed) {
    ui::ScriptedUser user;
    NamedRecord record{"Beam", 0};
    typeAndEnd(user, "Post", ui::IDCANCEL);
    EXPECT_FALSE(
        frame::runModalOnCopy<DlgRecord>(record, {frame::Resources::Module, frame::CopyBack::Always}));
    EXPECT_EQ(record.name, "Post");

    typeAndEnd(user, "Rafter", ui::IDOK);
    EXPECT_TRUE(frame::runModalOnCopy<DlgRecord>(record, {frame::Resources::Module, frame::CopyBack::Never}));
    EXPECT_EQ(record.name, "Post");

    // Constructor arguments follow the options.
    typeAndEnd(user, "Purlin", ui::IDOK);
    NamedRecord counted;
    EXPECT_TRUE(frame::runModalOnCopy<DlgRecord>(counted, frame::EntryOptions{}, 10));
    EXPECT_EQ(counted.edits % 11, 0);
    EXPECT_GT(counted.edits, 0);
}

TEST_F(EntryFunction, TheModulesResourcesAreCurrentUnlessTheEntryReliesOnItsCaller) {
    ui::ScriptedUser user;
    typeAndEnd(user, "x", ui::IDOK);
    DlgRecord switched;
    EXPECT_EQ(frame::runModal(switched), ui::IDOK);
    EXPECT_TRUE(switched.sawModuleResources);

    // Without the switch the dialog sees whatever its caller made current: here the host's own.
    typeAndEnd(user, "y", ui::IDOK);
    DlgRecord unswitched;
    EXPECT_EQ(frame::runModal(unswitched, frame::Resources::CallerResources), ui::IDOK);
    EXPECT_FALSE(unswitched.sawModuleResources);
}
