#pragma once
// What the tests of live templates and of the designer window share: controls placed by their factors,
// and a library of the test's own with the module attached, the templates' folder made and a picture
// of kWidth x kHeight at its root as "Plate.bmp" (the fixture draws it).

#include <QRect>

#include "../library_folder.h"
#include "core/files.h"
#include "designer/control_rect.h"
#include "designer/designer_data.h"
#include "host/module_entry.h"

extern "C" int DllMain(void* instance, unsigned long reason, void* reserved);

constexpr int kWidth = 400; // the test picture
constexpr int kHeight = 300;

inline Zrk_DesignerControl control(Zrk_ControlType type, const Zrk_String& contents, double left, double top,
                                   double right, double bottom, const Zrk_String& comboList = {}) {
    Zrk_DesignerControl c;
    c.type = type;
    c.contents = contents;
    c.setSplitExtComboList(comboList);
    c.topLeftX = left;
    c.topLeftY = top;
    c.bottomRightX = right;
    c.bottomRightY = bottom;
    return c;
}

class TemplateLibraryTest : public LibraryFolderTest {
protected:
    using LibraryFolderTest::LibraryFolderTest;

    static void SetUpTestSuite() { ASSERT_EQ(DllMain(&instance, host::kProcessAttach, nullptr), 1); }
    static void TearDownTestSuite() { DllMain(&instance, host::kProcessDetach, nullptr); }

    void SetUp() override {
        LibraryFolderTest::SetUp();
        std::filesystem::create_directories(library / "Dialog Templates" / "Dialog Design");
        root = getDesignerRootFolder();
    }

    // Where the template laid out the control with this id, in pixels of its picture.
    static QRect rectOf(const Zrk_DlgDesignerData& data, int id) {
        for (int i = 0; i < data.getNrDrawnControls(); ++i)
            if (data.getDrawnControl(i)->id() == id) return data.getDrawnControl(i)->rect();
        return {};
    }

    inline static int instance = 0;
    Zrk_String root;
};
