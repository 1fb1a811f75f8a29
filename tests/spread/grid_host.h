#pragma once
// A dialog that hosts one grid over placeholder 1196, as the module's dialogs do, and records what
// the grid tells it. The module is attached (its templates, pictures and text-input dialog).

#include <gtest/gtest.h>
#include <vector>

#include "core/language.h"
#include "host/module_entry.h"
#include "spread/zrk_spread.h"
#include "ui/application.h"
#include "ui/dialog.h"
#include "ui/resources.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace gridtest {

inline constexpr int kTemplate = 9990;
inline constexpr int kPlaceholder = 1196;

struct Told {
    bool command = false; // onCommand, else onNotify
    int id = 0;
    int code = 0;
    spreadlib::GridNotify record;
};

class GridHost : public ui::Dialog {
public:
    GridHost() : ui::Dialog(kTemplate) {}
    Zrk_Spread grid;
    std::vector<Told> told;
    bool clientRelative = false;
    bool attachResult = false;

    // How often the dialog heard the code.
    int count(int code, bool command) const {
        int n = 0;
        for (const Told& t : told)
            n += t.code == code && t.command == command;
        return n;
    }

protected:
    bool onInitDialog() override {
        attachResult = grid.attach(this, kPlaceholder, clientRelative);
        return true;
    }
    bool onNotify(int id, int code, const void* details) override {
        told.push_back({false, id, code, *static_cast<const spreadlib::GridNotify*>(details)});
        return true;
    }
    bool onCommand(int id, int code) override {
        if (id == kPlaceholder) {
            told.push_back({true, id, code, {}});
            return true;
        }
        return ui::Dialog::onCommand(id, code);
    }
};

// The module attached once for all tests, and the host dialog's template.
class GridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1);
        using ui::Kind;
        ui::hostResources().addTemplate(
            ui::DialogTemplate(kTemplate, "Grid", 320, 200, ui::dialogStyle::Resizable,
                               {
                                   {kPlaceholder, Kind::Placeholder, "", 10, 10, 300, 150},
                                   {ui::IDOK, Kind::DefPushButton, "OK", 200, 176, 50, 14},
                                   {ui::IDCANCEL, Kind::PushButton, "Cancel", 260, 176, 50, 14},
                               }));
    }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    // The dialog built and shown (modeless), its grid attached.
    void SetUp() override {
        ASSERT_TRUE(host.create());
        host.show();
        ui::activateNow(&host);
        ASSERT_TRUE(host.attachResult);
    }
    void TearDown() override { host.destroyWindow(); }

    // A grid of cols x rows with the standard look.
    void shape(int cols, int rows) {
        grid().applyStandardLook(true);
        ASSERT_TRUE(grid().setNrCols(cols));
        ASSERT_TRUE(grid().setNrRows(rows));
    }
    Zrk_Spread& grid() { return host.grid; }
    Zrk_String text(int col, int row, int kind = 3) {
        Zrk_String value;
        EXPECT_TRUE(grid().getCellText(col, row, value, kind)) << col << ", " << row;
        return value;
    }

    inline static int instance = 0;
    ui::ScriptedUser user;
    GridHost host;
};

} // namespace gridtest
