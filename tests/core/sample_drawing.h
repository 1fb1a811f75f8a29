#pragma once
// The sample drawing of the macro dialogs, opened for each test and made the working drawing, with an
// editor whose picks the test answers and that records what it was asked to show; the library is a
// folder of the test's own. Both are given back as they were when the test ends.

#include <optional>
#include <string>

#include "../library_folder.h"
#include "core/drawing.h"
#include "core/editor_hooks.h"
#include "core/text.h"

inline const std::string kSample =
    std::string(SS_TEST_DATA_DIR) + "/../../examples/library/Drawings/macro-dialogs.json";
inline const AcDbObjectId kMacroA(101), kMacroB(102);

// Each pick answers what the test put there; an empty answer is a pick the person cancelled.
class FakeEditor : public core::EditorHooks {
public:
    AcArray<AcDbObjectId> geometry; // answered in turn
    AcArray<AcDbObjectId> macros;
    AcDbObjectId profile;
    Zrk_String coordSystem;
    std::optional<Zrk_Point3d> point;
    Zrk_StringArray lit;   // "+id" or "-id" for each object highlighted or no longer
    Zrk_StringArray views; // "tab mode count" for each change of view

    bool pickGeometry(const Zrk_String&, AcDbObjectId& id) override {
        if (geometry.isEmpty()) return false;
        id = geometry[0];
        geometry.removeAt(0);
        return true;
    }
    bool pickMacros(const Zrk_String&, bool, AcArray<AcDbObjectId>& ids) override {
        if (macros.isEmpty()) return false;
        ids = macros;
        return true;
    }
    bool pickProfile(const Zrk_String&, AcDbObjectId& id) override {
        if (profile.isNull()) return false;
        id = profile;
        return true;
    }
    bool pickCoordSystem(const Zrk_String&, Zrk_String& name) override {
        if (coordSystem.empty()) return false;
        name = coordSystem;
        return true;
    }
    bool pickPoint(const Zrk_String&, Zrk_Point3d& picked) override {
        if (!point) return false;
        picked = *point;
        return true;
    }
    void highlight(const AcArray<AcDbObjectId>& ids, bool on) override {
        for (const AcDbObjectId& id : ids)
            lit.append((on ? "+" : "-") + intToStr(id.handle()));
    }
    void changeView(const AcArray<AcDbObjectId>& ids, const Zrk_String& tab, int mode) override {
        views.append(tab + " " + intToStr(mode) + " " + intToStr(ids.length()));
    }
};

class SampleDrawingTest : public LibraryFolderTest {
protected:
    using LibraryFolderTest::LibraryFolderTest;

    void SetUp() override {
        LibraryFolderTest::SetUp();
        Zrk_String message;
        ASSERT_TRUE(drawing.readFromFile(kSample, &message)) << message;
        previousDrawing = core::setWorkingDrawing(&drawing);
        previousEditor = core::setEditorHooks(&editor);
    }
    void TearDown() override {
        core::setWorkingDrawing(previousDrawing);
        core::setEditorHooks(previousEditor);
        LibraryFolderTest::TearDown();
    }

    core::Drawing drawing;
    FakeEditor editor;
    core::Drawing* previousDrawing = nullptr;
    core::EditorHooks* previousEditor = nullptr;
};
