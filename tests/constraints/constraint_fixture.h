#pragma once
// The constraint dialog's tests: the module attached, the sample drawing of the macro dialogs opened
// as the host's drawing (picks are checked against it; it is never saved), the editor and the command
// line cleared, a record on the first end-plate connection, and a scripted user. Each test ends with
// the modeless window ended and the objects it scheduled for deletion deleted, so that no window
// outlives its test.

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include "constraints/dlg_edit_constraints.h"
#include "core/drawing.h"
#include "frame/modeless_dialogs.h"
#include "host/command_line.h"
#include "host/document.h"
#include "host/editor.h"
#include "host/module_entry.h"
#include "ui/scripted_user.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

namespace constrainttest {

inline const AcDbObjectId kMacroA(101);

class ConstraintDrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }
    void SetUp() override {
        Zrk_String message;
        ASSERT_TRUE(document().open(Zrk_String(SS_SAMPLE_LIBRARY) + "/Drawings/macro-dialogs.json", message))
            << message;
        host::Editor::instance().clear();
        host::CommandLine::instance().clear();
        record = constraintRecordOf(kMacroA);
    }
    void TearDown() override {
        EndDlgEditConstraints();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        document().close();
        host::Editor::instance().clear();
    }
    static host::Document& document() { return host::Document::current(); }

    inline static int instance = 0;
    core::Drawing& drawing = document().database();
    EditConstrData record;
    ui::ScriptedUser user;
};

} // namespace constrainttest
