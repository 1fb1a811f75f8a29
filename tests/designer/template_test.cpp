// Dialog templates: ids, the template file, the picture and its mask, the root folder, and the
// binding to the designer's dialog.

#include <QComboBox>
#include <QImage>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "../library_folder.h"

#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "designer/design_tracker.h"
#include "designer/designer_data.h"
#include "host/command_line.h"
#include "ui/dialog.h"
#include "ui/resources.h"

namespace fs = std::filesystem;

namespace {

// Exposes the protected name test.
class TemplateData : public Zrk_DlgDesignerData {
public:
    using Zrk_DlgDesignerData::getNameFromFile;
};

class Template : public LibraryFolderTest {
protected:
    Template() : LibraryFolderTest("ss_designer_") {}

    void SetUp() override {
        LibraryFolderTest::SetUp();
        fs::create_directories(library / "Dialog Templates" / "Dialog Design" / "Plates");
        root = getDesignerRootFolder();
        host::CommandLine::instance().clear();
    }

    void write(const std::string& path, const std::string& text) const {
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_TRUE(writeFileAtomically(path, text));
    }
    static std::string read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(readFileBytes(path, bytes));
        return bytes;
    }
    // A 40 x 30 picture: white above row 10, a grey frame below, one red pixel and, in PNG files, one
    // transparent pixel.
    static QImage testPicture() {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(qRgb(255, 255, 255));
        for (int y = 10; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb(128, 128, 128));
        image.setPixel(5, 5, qRgb(255, 0, 0));
        image.setPixel(6, 20, qRgba(10, 20, 30, 0));
        image.setPixel(7, 20, qRgb(254, 255, 255));
        return image;
    }
    void savePicture(const std::string& path, const char* format) const {
        ASSERT_TRUE(testPicture().save(QString::fromStdString(path), format));
    }

    Zrk_String root;
};

Zrk_DesignerControl control(Zrk_ControlType type, const Zrk_String& contents, double left, double top) {
    Zrk_DesignerControl c;
    c.type = type;
    c.contents = contents;
    c.topLeftX = left;
    c.topLeftY = top;
    c.bottomRightX = left + 0.1;
    c.bottomRightY = top + 0.05;
    return c;
}

const char* const kTemplate = "nrOfControls:int=5\n"
                              "type0:int=0\n"
                              "topLeftX0:double=0.05\n"
                              "topLeftY0:double=0.1\n"
                              "bottomRightX0:double=0.3\n"
                              "bottomRightY0:double=0.15\n"
                              "contents0:string=Width\n"
                              "comboList0:string=\n"
                              "type1:int=2\n"
                              "topLeftX1:double=0.35\n"
                              "topLeftY1:double=0.1\n"
                              "bottomRightX1:double=0.5\n"
                              "bottomRightY1:double=0.15\n"
                              "contents1:string=PlateWidth\n"
                              "comboList1:string=\n"
                              "type2:int=30\n"
                              "topLeftX2:double=0.6\n"
                              "topLeftY2:double=0.2\n"
                              "bottomRightX2:double=0.7\n"
                              "bottomRightY2:double=0.3\n"
                              "contents2:string=Stiffener\n"
                              "comboList2:string=G;;;\n"
                              "type3:int=25\n"
                              "topLeftX3:double=0.1\n"
                              "topLeftY3:double=0.8\n"
                              "bottomRightX3:double=0.3\n"
                              "bottomRightY3:double=0.85\n"
                              "contents3:string=Spread\n"
                              "comboList3:string=c1;a;b;c;l.txt\n"
                              "type4:int=2\n"
                              "topLeftX4:double=0.35\n"
                              "topLeftY4:double=0.2\n"
                              "bottomRightX4:double=0.5\n"
                              "bottomRightY4:double=0.25\n"
                              "contents4:string=PlateHeight\n"
                              "comboList4:string=a;b\n";

} // namespace

TEST_F(Template, AppendGivesTheLowestFreeId) {
    Zrk_DlgDesignerData data;
    Zrk_DesignerControl c;
    EXPECT_EQ(data.append(c), 33000);
    EXPECT_EQ(c.resourceId, 33000);
    EXPECT_EQ(data.append(c), 33001);
    EXPECT_EQ(data.append(c), 33002);
    data.removeControl(1);
    EXPECT_EQ(data.append(c), 33001);
    EXPECT_EQ(data.getControl(2)->resourceId, 33001);
    EXPECT_EQ(data.getControlFromRes(33002), data.getControlWrite(1));
    EXPECT_EQ(data.getControlFromRes(0), nullptr);
    EXPECT_EQ(data.getControl(3), nullptr);
    EXPECT_EQ(data.getControl(-1), nullptr);
    data.removeControl(7); // nothing
    EXPECT_EQ(data.getNrControls(), 3);

    // The range holds 100 controls; further ones get no id.
    for (int i = 3; i < 100; ++i)
        EXPECT_EQ(data.append(c), 33000 + i);
    EXPECT_EQ(data.append(c), 0);
    EXPECT_EQ(data.append(c), 0);
    EXPECT_EQ(data.getNrControls(), 102);
    int index = -1;
    EXPECT_FALSE(data.findCtrlFromResource(0, index));
    data.removeControl(50);
    EXPECT_EQ(data.append(c), 33050);
}

TEST_F(Template, NewControls) {
    ui::hostResources().addTemplate(ui::DialogTemplate(9401, "Host", 200, 100, {}));
    ui::Dialog dialog(9401);
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.initialize(&dialog, 33000, 33099, 0, 0, 0, 0, 0, false));
    savePicture(root + "Plates/End plate.bmp", "BMP");
    data.attachBitmap(root + "Plates/End plate.bmp");
    EXPECT_TRUE(data.addNewControl(ctCellCombo));
    const Zrk_DesignerControl* added = data.getControl(0);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->type, ctCellCombo);
    EXPECT_EQ(added->contents, dialString(171));
    EXPECT_EQ(added->resourceId, 33000);
    EXPECT_DOUBLE_EQ(added->topLeftX, 0.2);
    EXPECT_DOUBLE_EQ(added->topLeftY, 0.2);
    EXPECT_DOUBLE_EQ(data.factorToPixels(true, added->bottomRightX - added->topLeftX), 30.0);
    EXPECT_DOUBLE_EQ(data.factorToPixels(false, added->bottomRightY - added->topLeftY), 18.0);

    // Without a picture there is no geometry: no factor can be computed.
    Zrk_DlgDesignerData bare;
    EXPECT_TRUE(bare.addNewControl(ctCellEdit));
    EXPECT_EQ(bare.getControl(0)->bottomRightX, 0.2);
    EXPECT_EQ(bare.pixelsToFactor(true, 30), 0.0);
}

TEST_F(Template, ReadsControlsWithTheirIds) {
    const Zrk_String path = root + "Plates/End plate.txt";
    write(path, kTemplate);
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(path, false));
    EXPECT_EQ(data.getTemplateName(), "Plates/End plate");
    ASSERT_EQ(data.getNrControls(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(data.getControl(i)->resourceId, 33000 + i);

    const Zrk_DesignerControl* flex = data.getControl(2);
    EXPECT_EQ(flex->type, ctFlexButton);
    EXPECT_EQ(flex->flexParams, (std::array<Zrk_String, 4>{"G", "", "", ""}));
    const Zrk_DesignerControl* button = data.getControl(3);
    EXPECT_EQ(button->cellButtonParams, (std::array<Zrk_String, 4>{"c1", "a", "b", "c"}));
    EXPECT_EQ(button->comboList, "l.txt");
    EXPECT_EQ(data.getControl(4)->comboList, "a;b");
    EXPECT_DOUBLE_EQ(data.getControl(1)->bottomRightX, 0.5);

    Zrk_StringArray names;
    data.getAllCtrlNames(names);
    EXPECT_EQ(names, (Zrk_StringArray{"PlateWidth", "PlateHeight"}));
    GetImageDlgCtrlNames(path, names);
    EXPECT_EQ(names, (Zrk_StringArray{"PlateWidth", "PlateHeight"}));
    // A caller's path may use '\' and differ from the file's name in letter case.
    Zrk_String windowsPath = root + "Plates\\end PLATE.txt";
    GetImageDlgCtrlNames(windowsPath, names);
    EXPECT_EQ(names.length(), 2);
    GetImageDlgCtrlNames(root + "Plates/None.txt", names);
    EXPECT_TRUE(names.isEmpty());

    // Missing keys leave a control's defaults; a file without "nrOfControls" holds no controls.
    write(path, "nrOfControls:int=2\ntype1:int=3\ncontents1:string=Bolts\n");
    ASSERT_TRUE(data.readFromFile(path, false));
    ASSERT_EQ(data.getNrControls(), 2);
    Zrk_DesignerControl defaults;
    defaults.resourceId = 33000;
    EXPECT_EQ(*data.getControl(0), defaults);
    EXPECT_EQ(data.getControl(1)->type, ctCellCombo);
    EXPECT_EQ(data.getControl(1)->contents, "Bolts");
    write(path, "type0:int=3\n");
    ASSERT_TRUE(data.readFromFile(path, false));
    EXPECT_EQ(data.getNrControls(), 0);
}

TEST_F(Template, RefusesWhatIsNoTemplateOfTheRoot) {
    const Zrk_String path = root + "Plates/End plate.txt";
    write(path, kTemplate);
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(path, false));

    // Outside the root folder, or missing: false, nothing changes, nothing is said.
    write(library.string() + "/Outside.txt", kTemplate);
    EXPECT_FALSE(data.readFromFile(library.string() + "/Outside.txt", false));
    EXPECT_FALSE(data.readFromFile(root + "../../Outside.txt", false));
    EXPECT_FALSE(data.readFromFile(root + "Plates/Missing.txt", false));
    EXPECT_FALSE(data.readFromFile(root + "Plates", false));
    EXPECT_FALSE(data.readFromFile("", false));
    EXPECT_EQ(host::CommandLine::instance().buffer(), "");

    // Files that are no templates: false with the reason, nothing changes.
    Zrk_String message;
    write(root + "Notes.txt", "Just some notes\n");
    EXPECT_FALSE(data.readFromFile(root + "Notes.txt", false, &message));
    EXPECT_NE(message.find("Notes.txt, line 1"), Zrk_String::npos) << message;
    for (const char* count :
         {"nrOfControls:int=-1\n", "nrOfControls:int=1001\n", "nrOfControls:string=3\n"}) {
        write(root + "Bad.txt", count);
        EXPECT_FALSE(data.readFromFile(root + "Bad.txt", false, &message)) << count;
        EXPECT_EQ(message, root + "Bad.txt: \"nrOfControls\" must be a whole number from 0 to 1000");
    }
    EXPECT_FALSE(data.readFromFile(root + "Bad.txt", true));
    EXPECT_EQ(host::CommandLine::instance().buffer(),
              "*Error* " + root + "Bad.txt: \"nrOfControls\" must be a whole number from 0 to 1000.\n");
    EXPECT_EQ(data.getTemplateName(), "Plates/End plate");
    EXPECT_EQ(data.getNrControls(), 5);

    // The most controls a file may hold; those beyond the id range get no id.
    write(root + "Many.txt", "nrOfControls:int=1000\n");
    ASSERT_TRUE(data.readFromFile(root + "Many.txt", false));
    ASSERT_EQ(data.getNrControls(), 1000);
    EXPECT_EQ(data.getControl(99)->resourceId, 33099);
    EXPECT_EQ(data.getControl(100)->resourceId, 0);
    EXPECT_EQ(data.getControl(999)->resourceId, 0);
}

TEST_F(Template, NamesBelowTheRootFolder) {
    TemplateData data;
    Zrk_String name = "unchanged";
    EXPECT_TRUE(data.getNameFromFile(root + "Plates/End plate.txt", name));
    EXPECT_EQ(name, "Plates/End plate");
    EXPECT_TRUE(data.getNameFromFile(root + "Plates\\v1.2\\Base", name));
    EXPECT_EQ(name, "Plates/v1.2/Base");
    EXPECT_TRUE(data.getNameFromFile(root + "Plates/./../Top.txt", name));
    EXPECT_EQ(name, "Top");
    name = "unchanged";
    EXPECT_FALSE(data.getNameFromFile(root + "../Other/Top.txt", name));
    EXPECT_FALSE(data.getNameFromFile(root, name));
    EXPECT_FALSE(data.getNameFromFile(root + "Plates/", name));
    EXPECT_FALSE(data.getNameFromFile(library.string() + "/dialog templates/Dialog Design/Top.txt", name));
    EXPECT_FALSE(data.getNameFromFile("Top.txt", name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(Template, WrittenAndReadBackKeyForKey) {
    const Zrk_String path = root + "Plates/End plate.txt";
    write(path, kTemplate);
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(path, false));
    const Zrk_String copy = root + "Plates/Copy.txt";
    ASSERT_TRUE(data.writeToFile(copy));
    EXPECT_EQ(data.getTemplateName(), "Plates/Copy");

    Zrk_PropertiesList original, written;
    ASSERT_TRUE(original.readFromFile(path));
    ASSERT_TRUE(written.readFromFile(copy));
    EXPECT_EQ(written, original);
    EXPECT_EQ(read(copy), kTemplate);

    // A flex button's group alone comes back with its three empty parameters.
    write(path, "nrOfControls:int=1\ntype0:int=30\ncomboList0:string=G\n");
    ASSERT_TRUE(data.readFromFile(path, false));
    ASSERT_TRUE(data.writeToFile(copy));
    ASSERT_TRUE(written.readFromFile(copy));
    Zrk_String merged;
    ASSERT_TRUE(written.getProperty("comboList0", merged));
    EXPECT_EQ(merged, "G;;;");

    // A template made in memory survives the round trip too, doubles to the last bit.
    Zrk_DlgDesignerData made;
    Zrk_DesignerControl c = control(ctCellButton2, "Gap\\n;x", 1.0 / 3.0, 0.1 + 0.2);
    c.setSplitExtComboList("c1;;-b");
    made.append(c);
    c = control(ctCellCheck, "", 2.0 / 7.0, 1e-9);
    c.comboList = "Check;1";
    made.append(c);
    ASSERT_TRUE(made.writeToFile(root + "Made.txt"));
    Zrk_DlgDesignerData back;
    ASSERT_TRUE(back.readFromFile(root + "Made.txt", false));
    ASSERT_EQ(back.getNrControls(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(*back.getControl(i), *made.getControl(i));
    ASSERT_TRUE(back.writeToFile(root + "Again.txt"));
    EXPECT_EQ(read(root + "Again.txt"), read(root + "Made.txt"));
}

TEST_F(Template, SavingUnderANewNameCopiesThePicture) {
    const Zrk_String path = root + "Plates/End plate.txt";
    write(path, kTemplate);
    savePicture(root + "Plates/End plate.bmp", "BMP");
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(path, true));

    ASSERT_TRUE(data.writeToFile(root + "Base plate.txt"));
    EXPECT_TRUE(fs::exists(root + "Base plate.txt"));
    EXPECT_EQ(read(root + "Base plate.bmp"), read(root + "Plates/End plate.bmp"));
    EXPECT_EQ(data.getTemplateName(), "Base plate");
    // Saving again under the same name keeps the picture.
    ASSERT_TRUE(data.writeToFile(root + "Base plate.txt"));
    EXPECT_EQ(read(root + "Base plate.bmp"), read(root + "Plates/End plate.bmp"));

    // A path outside the root folder writes nothing and keeps the name.
    EXPECT_FALSE(data.writeToFile(library.string() + "/Outside.txt"));
    EXPECT_FALSE(data.writeToFile(root + "../Outside.txt"));
    EXPECT_FALSE(fs::exists(library.string() + "/Outside.txt"));
    EXPECT_FALSE(fs::exists(library.string() + "/Outside.bmp"));
    EXPECT_FALSE(fs::exists(library.string() + "/Dialog Templates/Outside.txt"));
    // A folder that does not exist cannot be written to; the template keeps its name.
    EXPECT_FALSE(data.writeToFile(root + "Missing/Top.txt"));
    EXPECT_EQ(data.getTemplateName(), "Base plate");

    // A template without a picture has none to copy; an older picture at the target stays.
    Zrk_DlgDesignerData plain;
    ASSERT_TRUE(plain.writeToFile(root + "Plain.txt"));
    EXPECT_FALSE(fs::exists(root + "Plain.bmp"));
}

TEST_F(Template, PictureAndMask) {
    for (const char* format : {"BMP", "PNG"}) {
        const Zrk_String path = root + "Plates/Picture." + Zrk_String(format);
        savePicture(path, format);
        Zrk_DlgDesignerData data;
        data.attachBitmap(path);
        const QImage& picture = data.picture();
        const QImage& mask = data.mask();
        ASSERT_EQ(picture.size(), QSize(40, 30)) << format;
        ASSERT_EQ(mask.size(), QSize(40, 30));
        EXPECT_EQ(mask.depth(), 1);
        // White is set in the mask and black in the picture; every other colour stays.
        EXPECT_EQ(mask.pixelIndex(0, 0), 1);
        EXPECT_EQ(picture.pixel(0, 0) & 0xFFFFFFu, 0u);
        EXPECT_EQ(mask.pixelIndex(5, 5), 0);
        EXPECT_EQ(picture.pixel(5, 5), qRgb(255, 0, 0));
        EXPECT_EQ(mask.pixelIndex(0, 10), 0);
        EXPECT_EQ(picture.pixel(0, 10), qRgb(128, 128, 128));
        EXPECT_EQ(mask.pixelIndex(7, 20), 0); // almost white is no white
        // A transparent pixel of a PNG is seen over white.
        EXPECT_EQ(mask.pixelIndex(6, 20), Zrk_String(format) == "PNG" ? 1 : 0) << format;
        int white = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                white += mask.pixelIndex(x, y);
        EXPECT_EQ(white, Zrk_String(format) == "PNG" ? 400 : 399) << format;

        // The size counts once the template is bound to a dialog.
        int width = -1, height = -1;
        data.getImageSize(width, height);
        EXPECT_EQ(width, 0);
        ui::hostResources().addTemplate(ui::DialogTemplate(9402, "Host", 200, 100, {}));
        ui::Dialog dialog(9402);
        ASSERT_TRUE(data.initialize(&dialog, 33000, 33099, 0, 0, 0, 0, 0, false));
        data.getImageSize(width, height);
        EXPECT_EQ(width, 40);
        EXPECT_EQ(height, 30);
        EXPECT_DOUBLE_EQ(data.pixelsToFactor(true, 10), 0.25);
        EXPECT_DOUBLE_EQ(data.factorToPixels(false, 0.5), 15.0);

        // A missing file changes nothing; a file that is no picture leaves none.
        data.attachBitmap(root + "Plates/Missing.bmp");
        data.getImageSize(width, height);
        EXPECT_EQ(width, 40);
        write(root + "Plates/Broken.bmp", "BM not really");
        data.attachBitmap(root + "Plates/Broken.bmp");
        data.getImageSize(width, height);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, 0);
        EXPECT_TRUE(data.picture().isNull());
        EXPECT_TRUE(data.mask().isNull());
    }
}

TEST_F(Template, NoControlsStillAttachesThePicture) {
    const Zrk_String path = root + "Empty.txt";
    write(path, "nrOfControls:int=0\n");
    savePicture(root + "Empty.bmp", "BMP");
    Zrk_DlgDesignerData data;
    Zrk_DesignerControl old;
    data.append(old);
    ASSERT_TRUE(data.readFromFile(path, true));
    EXPECT_EQ(data.getNrControls(), 0);
    EXPECT_EQ(data.picture().size(), QSize(40, 30));
    EXPECT_EQ(data.getTemplateName(), "Empty");

    // Without asking for it, the picture is not read.
    Zrk_DlgDesignerData withoutPicture;
    ASSERT_TRUE(withoutPicture.readFromFile(path, false));
    EXPECT_TRUE(withoutPicture.picture().isNull());
}

TEST_F(Template, ListsTheTemplatesOfTheRoot) {
    write(root + "Plates/End plate.txt", kTemplate);
    write(root + "Base.txt", kTemplate);
    write(root + "Plates/End plate.bmp", "");
    write(root + "Plates/Old/Cleat.TXT", kTemplate);
    Zrk_StringArray names{"stale"};
    getModuleImages(names);
    EXPECT_EQ(names, (Zrk_StringArray{"Base", "Plates/End plate", "Plates/Old/Cleat"}));
    fs::remove_all(library / "Dialog Templates");
    getModuleImages(names);
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(Template, ListItemsFromAFile) {
    write(library.string() + "/Lists/Grades.txt", "S235\nS275\nS355\n");
    Zrk_DesignerControl combo;
    combo.type = ctCellCombo;
    Zrk_StringArray items{"kept"};
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Zrk_StringArray{"kept"}));
    combo.comboList = "Lists\\grades.txt"; // relative to the library folder, any letter case
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Zrk_StringArray{"S235", "S275", "S355"}));
    items = {"kept"};
    combo.comboList = library.string() + "/Lists/Grades.txt";
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items.length(), 3);
    items = {"kept"};
    combo.comboList = "Lists/Missing.txt";
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Zrk_StringArray{"kept"}));
}

TEST_F(Template, CopiesHoldTheTemplateButNoDialog) {
    write(root + "Base.txt", kTemplate);
    savePicture(root + "Base.bmp", "BMP");
    ui::hostResources().addTemplate(ui::DialogTemplate(9403, "Host", 200, 100, {}));
    ui::Dialog dialog(9403);
    Zrk_DlgDesignerData data;
    ASSERT_TRUE(data.initialize(&dialog, 34000, 34099, 0, 0, 0, 0, 0, false));
    ASSERT_TRUE(data.readFromFile(root + "Base.txt", true));
    EXPECT_EQ(data.getDlgPtr(), &dialog);

    Zrk_DlgDesignerData copy(data);
    EXPECT_FALSE(copy.isInitialized());
    EXPECT_EQ(copy.getDlgPtr(), nullptr);
    EXPECT_EQ(copy.getTemplateName(), "Base");
    ASSERT_EQ(copy.getNrControls(), 5);
    EXPECT_EQ(copy.getControl(4)->resourceId, 34004);
    EXPECT_EQ(copy.picture(), data.picture());
    Zrk_DesignerControl c;
    EXPECT_EQ(copy.append(c), 34005); // the copy keeps the id range

    Zrk_DlgDesignerData assigned;
    assigned = copy;
    EXPECT_EQ(assigned.getNrControls(), 6);
    copy.removeControl(0);
    EXPECT_EQ(assigned.getNrControls(), 6);
}

TEST_F(Template, DesignModeBindsThePropertyFields) {
    enum { kTypes = 1005, kContentsLabel = 1016, kContents = 1304, kListLabel = 1017, kList = 1305 };
    ui::hostResources().addTemplate(
        ui::DialogTemplate(9404, "Designer", 300, 200,
                           {
                               {kTypes, ui::Kind::DropListCombo, "", 5, 5, 100, 100},
                               {kContentsLabel, ui::Kind::GroupBox, "", 5, 25, 100, 30},
                               {kContents, ui::Kind::Edit, "", 10, 35, 90, 14},
                               {kListLabel, ui::Kind::GroupBox, "", 5, 60, 100, 30},
                               {kList, ui::Kind::Edit, "", 10, 70, 90, 14},
                           }));
    ui::Dialog dialog(9404);
    ASSERT_TRUE(dialog.create());

    Zrk_DlgDesignerData data;
    EXPECT_FALSE(
        data.initialize(nullptr, 33000, 33099, kTypes, kContentsLabel, kContents, kListLabel, kList, true));
    EXPECT_FALSE(data.isInitialized());
    EXPECT_EQ(data.getDlgPtr(), nullptr);
    write(root + "Base.txt", kTemplate);
    ASSERT_TRUE(data.readFromFile(root + "Base.txt", false));
    ASSERT_TRUE(
        data.initialize(&dialog, 33000, 33099, kTypes, kContentsLabel, kContents, kListLabel, kList, true));
    EXPECT_TRUE(data.isDesignMode());
    ASSERT_NE(data.tracker(), nullptr);
    EXPECT_EQ(data.tracker()->host(), &dialog);

    // The type list holds the 31 names; with nothing selected the fields are empty and disabled.
    ASSERT_EQ(dialog.comboCount(kTypes), 31);
    EXPECT_EQ(dialog.comboText(kTypes, 30), designer::controlTypeName(ctFlexButton));
    EXPECT_EQ(dialog.comboCurSel(kTypes), -1);
    for (int id : {kTypes, kContentsLabel, kContents, kListLabel, kList})
        EXPECT_FALSE(dialog.isItemEnabled(id)) << id;

    // One selected control fills them.
    data.tracker()->select(33002, true);
    data.updatePropsOfCurSel();
    EXPECT_FALSE(data.isUpdatingProps());
    EXPECT_EQ(dialog.comboCurSel(kTypes), 30);
    EXPECT_EQ(dialog.itemText(kContentsLabel), dialString(1429));
    EXPECT_EQ(dialog.itemText(kContents), "Stiffener");
    EXPECT_EQ(dialog.itemText(kListLabel), designer::comboListLabel(ctFlexButton));
    EXPECT_EQ(dialog.itemText(kList), "G;;;");
    for (int id : {kTypes, kContentsLabel, kContents, kListLabel, kList})
        EXPECT_TRUE(dialog.isItemEnabled(id)) << id;

    // A cell edit has no list field.
    data.tracker()->select(33001, true);
    data.updatePropsOfCurSel();
    EXPECT_EQ(dialog.comboCurSel(kTypes), 2);
    EXPECT_EQ(dialog.itemText(kContents), "PlateWidth");
    EXPECT_EQ(dialog.itemText(kList), "");
    EXPECT_FALSE(dialog.isItemEnabled(kList));
    EXPECT_FALSE(dialog.isItemEnabled(kListLabel));

    // Two selected controls are no single selection.
    data.tracker()->select(33003, false);
    data.updatePropsOfCurSel();
    EXPECT_EQ(dialog.itemText(kContents), "");
    EXPECT_FALSE(dialog.isItemEnabled(kContents));
    EXPECT_EQ(data.tracker()->getSelectedIds(), (std::vector<int>{33001, 33003}));

    // At run time there is no selection and the fields are left alone.
    Zrk_DlgDesignerData runTime;
    ASSERT_TRUE(runTime.initialize(&dialog, 33000, 33099, 0, 0, 0, 0, 0, false));
    EXPECT_EQ(runTime.tracker(), nullptr);
    EXPECT_FALSE(runTime.isDesignMode());
    dialog.destroyWindow();
}
