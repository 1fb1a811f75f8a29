// The module's text-input dialog (template 8069), played by the scripted user.

#include <gtest/gtest.h>

#include "core/language.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace {

constexpr int kTemplate = DlgTextInput::kTemplate;
constexpr int kEdit = DlgTextInput::kEdit;
constexpr int kLabel = DlgTextInput::kLabel;

// The module is attached, so that its templates are found.
class TextInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    static ui::TextInput request() {
        ui::TextInput input;
        input.title = "Insert column";
        input.label = "Name of the new column:";
        input.value = "Column 4";
        input.okCaption = "Ok";
        return input;
    }

    inline static int instance = 0;
    ui::ScriptedUser user;
};

} // namespace

TEST_F(TextInput, OpensWithTheCallersTextsAndTheWholeValueSelected) {
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        ui::Dialog& dialog = u.dialog();
        EXPECT_EQ(dialog.title(), "Insert column");
        EXPECT_EQ(dialog.itemText(kLabel), "Name of the new column:");
        EXPECT_EQ(dialog.itemText(kEdit), "Column 4");
        EXPECT_EQ(dialog.itemText(ui::IDOK), "Ok");
        EXPECT_EQ(dialog.itemText(ui::IDCANCEL), dialString(2)); // no caption given: the language's
        EXPECT_EQ(dialog.focusedItemId(), kEdit);
        int start = -1, end = -1;
        ASSERT_TRUE(dialog.editSel(kEdit, start, end));
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 8);
        u.typeText(kEdit, "Length");
        u.click(ui::IDOK);
    });
    ui::TextInput input = request();
    ASSERT_TRUE(askForText(input));
    EXPECT_EQ(input.value, "Length");
}

TEST_F(TextInput, OkWithAnEmptyEditDoesNotClose) {
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        u.typeText(kEdit, "");
        u.click(ui::IDOK);
        EXPECT_FALSE(u.dialog().hasEnded());
        u.pressKey(ui::VK_RETURN); // Enter is the same OK
        EXPECT_FALSE(u.dialog().hasEnded());
        EXPECT_TRUE(u.dialog().isVisible());
        u.typeText(kEdit, " ");
        u.pressKey(ui::VK_RETURN); // a blank is a text
    });
    ui::TextInput input = request();
    ASSERT_TRUE(askForText(input));
    EXPECT_EQ(input.value, " ");
}

TEST_F(TextInput, CancelAndEscapeKeepTheValue) {
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        u.typeText(kEdit, "changed");
        u.click(ui::IDCANCEL);
    });
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        u.typeText(kEdit, "changed");
        u.pressKey(ui::VK_ESCAPE);
    });
    for (int run = 0; run < 2; ++run) {
        ui::TextInput input = request();
        EXPECT_FALSE(askForText(input));
        EXPECT_EQ(input.value, "Column 4");
    }

    // The dialog's own record: accepted only through OK.
    user.onDialog(kTemplate, [](ui::DialogUser& u) { u.pressKey(ui::VK_ESCAPE); });
    DlgTextInput dialog;
    dialog.value = "x";
    EXPECT_EQ(dialog.doModal(), ui::IDCANCEL);
    EXPECT_FALSE(dialog.accepted);
}

TEST_F(TextInput, WithoutTheEditOkAcceptsTheValueGiven) {
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        EXPECT_FALSE(u.dialog().isItemShown(kEdit));
        EXPECT_EQ(u.dialog().focusedItemId(), ui::IDOK);
        u.pressKey(ui::VK_RETURN);
    });
    ui::TextInput input = request();
    input.value = "";
    input.showEdit = false;
    EXPECT_TRUE(askForText(input));
    EXPECT_EQ(input.value, "");
}

TEST_F(TextInput, ServesTheLayersTextInput) {
    user.onDialog(kTemplate, [](ui::DialogUser& u) {
        u.typeText(kEdit, "Level 2");
        u.click(ui::IDOK);
    });
    ui::TextInput input = request();
    EXPECT_TRUE(ui::inputText(input));
    EXPECT_EQ(input.value, "Level 2");
    EXPECT_EQ(user.dialogsRun(), std::vector<int>{kTemplate});
}
