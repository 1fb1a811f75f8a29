// From the page to the main job: a person binds a variable of the sample end plate's standard on the
// mapping page, the macro's settings name the new record, and the host shell's standards command
// evaluates with that binding.
#include <QApplication>
#include <QComboBox>
#include <QTableView>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "constraints/dlg_macro_settings.h"
#include "core/drawing.h"
#include "core/settings.h"
#include "ui/scripted_user.h"

namespace {

namespace fs = std::filesystem;

// Runs a command; answers its exit status, with what it printed in output.
int runCommand(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    return ::pclose(pipe);
}

class MappingEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        library = fs::temp_directory_path() / ("ss_mapping_e2e_" + std::to_string(::getpid()));
        fs::remove_all(library);
        fs::create_directories(library);
        for (const char* part : {"Connection Standards", "prof", "Macros"})
            fs::copy(fs::path(SS_SAMPLE_LIBRARY) / part, library / part, fs::copy_options::recursive);
        savedLibDir = gSettings.libDir;
        gSettings.libDir = library.string() + "/";
    }
    void TearDown() override {
        gSettings.libDir = savedLibDir;
        fs::remove_all(library);
    }

    // The standards command of the host shell on the copied library; answers its output.
    std::string evaluate(const std::string& key) {
        std::string output;
        const int status =
            runCommand("SS_SETTINGS=/nonexistent QT_QPA_PLATFORM=offscreen '" + std::string(SS_SSHOST) +
                           "' --library '" + library.string() + "' standards --drawing '" +
                           (library / "Macros" / "EndPlate.json").string() +
                           "' --macro EndPlate --sheet EndPlate --genvar gen_Clearance=5 --key " + key,
                       output);
        EXPECT_EQ(status, 0) << output;
        return output;
    }

    fs::path library;
    Zrk_String savedLibDir;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(MappingEndToEnd, ABindingMadeOnThePageDrivesTheEvaluation) {
    core::Drawing drawing;
    const Zrk_String drawingFile = (library / "Macros" / "EndPlate.json").string();
    Zrk_String message;
    ASSERT_TRUE(drawing.readFromFile(drawingFile, &message)) << message;
    Zrk_DbMacro* macro = drawing.findMacroByName("EndPlate");
    ASSERT_NE(macro, nullptr);
    const Zrk_String sampleKey = macro->macro()->settings.tabMapping.mappingRefs[0];
    EXPECT_NE(evaluate(sampleKey).find("Input Double Force = 250.00000000"), std::string::npos);

    // Force, read from the macro's Force so far, is bound to its Pitch (80) instead.
    user.onDialog(DlgMacroSettings::kTemplate, [](ui::DialogUser& u) {
        KvStandardsSheet& table = static_cast<DlgMacroSettings&>(u.dialog()).mappingPage.table;
        Zrk_String name;
        table.getCellText(1, 4, name);
        ASSERT_EQ(name, "Force");
        table.flushView();
        QTableView* view = table.view();
        u.clickAt(
            view->viewport()->mapTo(&u.dialog(), view->visualRect(view->model()->index(3, 1)).center()));
        u.pressKey(ui::VK_F2);
        auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(combo->findText("EndPlate.Pitch"));
        u.pressKey(ui::VK_RETURN);
        u.click(ui::IDOK);
    });
    core::Drawing* previous = core::setWorkingDrawing(&drawing);
    const bool accepted = StartDlgMacroSettings(macro->objectId(), DlgMacroSettings::kStandardsPage);
    core::setWorkingDrawing(previous);
    ASSERT_TRUE(accepted);
    const MacroSettingsData& settings = macro->macro()->settings;
    ASSERT_EQ(settings.tabMapping.mappingRefs.length(), 1);
    const Zrk_String newKey = settings.tabMapping.mappingRefs[0];
    ASSERT_EQ(newKey.size(), 24u);
    EXPECT_NE(newKey, sampleKey);
    EXPECT_TRUE(settings.standardsModified);
    ASSERT_TRUE(drawing.writeToFile(drawingFile, &message)) << message;

    const std::string output = evaluate(newKey);
    EXPECT_NE(output.find("Input Double Force = 80.00000000"), std::string::npos) << output;
    EXPECT_NE(output.find("Output Double PlateWidth = 200.0000000"), std::string::npos) << output;
    // The sample's record is still there and still reads Force.
    EXPECT_NE(evaluate(sampleKey).find("Input Double Force = 250.00000000"), std::string::npos);
}
