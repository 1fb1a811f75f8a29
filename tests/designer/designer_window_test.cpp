// The designer window, played by the scripted user: opening, saving and the question before a
// changed template is closed; the property panel; the picture; and a template laid out with the
// mouse, saved and opened again.

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "template_library.h"

#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "designer/control_rect.h"
#include "designer/design_tracker.h"
#include "designer/dlg_designer.h"
#include "host/module_entry.h"
#include "sheetdoc/dlg_text_input.h"
#include "ui/codes.h"
#include "ui/scripted_user.h"

namespace fs = std::filesystem;

namespace {

using D = DlgDesigner;

// A library of the test's own with the template "Plate" (two cell edits on a 400 x 300 picture) and
// a second picture "Other.bmp" of 200 x 100.
class DesignerWindow : public TemplateLibraryTest {
protected:
    DesignerWindow() : TemplateLibraryTest("ss_designer_") {}

    void SetUp() override {
        TemplateLibraryTest::SetUp();
        savePicture(root + "Plate.bmp", kWidth, kHeight, qRgb(180, 190, 200));
        savePicture(library.string() + "/Other.bmp", 200, 100, qRgb(90, 120, 150));
        Zrk_DlgDesignerData plate;
        for (Zrk_DesignerControl c :
             {control(ctCellEdit, "Width", 0.1, 0.1, 0.25, 0.16),  // (40, 30) - (100, 48)
              control(ctCellEdit, "Height", 0.5, 0.2, 0.65, 0.3)}) // (200, 60) - (260, 90)
            plate.append(c);
        ASSERT_TRUE(plate.writeToFile(root + "Plate.txt"));
        ASSERT_TRUE(readFileBytes(root + "Plate.txt", plateText));
    }

    static void savePicture(const Zrk_String& path, int width, int height, QRgb colour) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(QString::fromStdString(path), "BMP"));
    }

    // Runs the designer on path with the script; answers how it ended.
    int run(const Zrk_String& path, const std::function<void(D&, ui::DialogUser&)>& script) {
        D designer(path);
        user.onDialog(D::kTemplate, [&](ui::DialogUser& u) { script(designer, u); });
        return designer.doModal();
    }
    // The question before a changed template is closed was asked (as the last message box).
    bool askedToSave() const {
        return !user.messageBoxes().empty() &&
               user.messageBoxes().back().request.caption == dialString(837) &&
               user.messageBoxes().back().request.text.rfind(dialString(838), 0) == 0;
    }
    Zrk_String fileText(const Zrk_String& path) const {
        std::string bytes;
        readFileBytes(path, bytes);
        return bytes;
    }

    std::string plateText;
    ui::ScriptedUser user;
};

} // namespace

// --- closing and the question ---------------------------------------------------------------------

TEST_F(DesignerWindow, AChangedTemplateIsNotClosedWithoutTheQuestion) {
    EXPECT_EQ(run(root + "Plate.txt",
                  [&](D& designer, ui::DialogUser& u) {
                      EXPECT_EQ(designer.title(), dialString(843) + " - <Plate>");
                      EXPECT_FALSE(designer.isModified());
                      u.click(D::kAdd);
                      EXPECT_TRUE(designer.isModified());
                      // Cancel keeps the window open with the new control.
                      user.answerMessageBox(ui::IDCANCEL);
                      u.click(ui::IDOK);
                      EXPECT_TRUE(askedToSave());
                      EXPECT_EQ(user.messageBoxes().back().request.text, dialString(838) + "\n<Plate>");
                      EXPECT_EQ(user.messageBoxes().back().request.type,
                                ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION);
                      EXPECT_FALSE(designer.hasEnded());
                      EXPECT_EQ(designer.data.getNrControls(), 3);
                      // Escape does nothing; the close box asks too and ends as Cancel.
                      u.pressKey(ui::VK_ESCAPE);
                      EXPECT_FALSE(designer.hasEnded());
                      user.answerMessageBox(ui::IDCANCEL);
                      u.closeWindow();
                      EXPECT_FALSE(designer.hasEnded());
                      EXPECT_EQ(user.messageBoxes().size(), 2u);
                      user.answerMessageBox(ui::IDNO);
                      u.closeWindow();
                  }),
              ui::IDCANCEL);
    EXPECT_EQ(fileText(root + "Plate.txt"), plateText);

    // The cancel command closes at once, changed or not.
    EXPECT_EQ(run(root + "Plate.txt",
                  [&](D&, ui::DialogUser& u) {
                      u.click(D::kAdd);
                      u.click(ui::IDCANCEL);
                  }),
              ui::IDCANCEL);
    EXPECT_EQ(user.messageBoxes().size(), 3u);

    // Yes writes the template under its name and closes with OK.
    EXPECT_EQ(run(root + "Plate.txt",
                  [&](D&, ui::DialogUser& u) {
                      u.click(D::kAdd);
                      user.answerMessageBox(ui::IDYES);
                      u.click(ui::IDOK);
                  }),
              ui::IDOK);
    Zrk_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(root + "Plate.txt", false));
    EXPECT_EQ(saved.getNrControls(), 3);
}

TEST_F(DesignerWindow, AnUnchangedTemplateClosesWithoutAQuestion) {
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) { u.click(ui::IDOK); });
    EXPECT_TRUE(StartDlgDesigner(root + "Plate.txt"));
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) { u.click(ui::IDCANCEL); });
    EXPECT_FALSE(StartDlgDesigner(root + "Plate.txt"));
    // A path where there is no template opens an empty designer.
    user.onDialog(D::kTemplate, [](ui::DialogUser& u) {
        auto& designer = static_cast<D&>(u.dialog());
        EXPECT_EQ(designer.data.getNrControls(), 0);
        EXPECT_EQ(designer.title(), dialString(843));
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(StartDlgDesigner(root + "Missing.txt"));
    EXPECT_TRUE(user.messageBoxes().empty());
}

// --- mended: the save question and Save as never lose a change ----------------------------------------

TEST_F(DesignerWindow, SaveAsOutsideTheRootFolderSaysSoAndKeepsTheTemplateChanged) {
    const Zrk_String outside = library.string() + "/Elsewhere.txt";
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        u.click(D::kAdd);
        user.answerFileDialog(outside);
        user.answerMessageBox(ui::IDOK);
        u.click(D::kSaveAs);
        EXPECT_FALSE(fileExists(outside));
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_EQ(user.messageBoxes()[0].request.text.rfind(dialString(30014) + "\n", 0), 0u);
        EXPECT_NE(user.messageBoxes()[0].request.text.find(root), Zrk_String::npos);
        EXPECT_TRUE(designer.isModified());
        EXPECT_EQ(designer.data.getTemplateName(), "Plate");
        // So closing still asks.
        user.answerMessageBox(ui::IDNO);
        u.click(ui::IDOK);
        EXPECT_TRUE(askedToSave());
    });
    const ui::FileDialogRequest& request = user.fileDialogs().at(0);
    EXPECT_EQ(request.mode, ui::FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.title, dialString(842));
    EXPECT_EQ(request.filterName, dialString(840) + " (*.txt)");
    EXPECT_EQ(normalizePath(request.startFolder), root);

    // Inside the root folder, below it too, Save as writes and clears the mark.
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        u.click(D::kAdd);
        user.answerFileDialog(root + "Plates/Copy");
        ASSERT_TRUE(fs::create_directories(fs::path(root) / "Plates"));
        u.click(D::kSaveAs);
        EXPECT_FALSE(designer.isModified());
        EXPECT_EQ(designer.title(), dialString(843) + " - <Plates/Copy>");
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(fileExists(root + "Plates/Copy.txt"));
    EXPECT_TRUE(fileExists(root + "Plates/Copy.bmp")); // the picture goes along
    EXPECT_EQ(fileText(root + "Plate.txt"), plateText);
}

TEST_F(DesignerWindow, SaveAsUnderAnotherExtensionWritesNothingSoThePictureCannotLandOnIt) {
    std::string picture;
    ASSERT_TRUE(readFileBytes(root + "Plate.bmp", picture));
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        u.click(D::kAdd);
        // The template written as "Plate.bmp" would be overwritten by its own picture's copy.
        user.answerFileDialog(root + "Plate.bmp");
        user.answerMessageBox(ui::IDOK);
        u.click(D::kSaveAs);
        ASSERT_EQ(user.messageBoxes().size(), 1u);
        EXPECT_NE(user.messageBoxes()[0].request.text.find("\".txt\""), Zrk_String::npos);
        EXPECT_TRUE(designer.isModified());
        u.click(ui::IDCANCEL);
    });
    std::string after;
    ASSERT_TRUE(readFileBytes(root + "Plate.bmp", after));
    EXPECT_EQ(after, picture);
    EXPECT_EQ(fileText(root + "Plate.txt"), plateText);
}

TEST_F(DesignerWindow, YesOnATemplateWithoutANameRunsSaveAsAndAFailedWriteNeverCloses) {
    // A template without a name: the mouse on the designer marks it changed.
    run(Zrk_String(), [&](D& designer, ui::DialogUser& u) {
        u.clickAt(QPoint(50, 50));
        ASSERT_TRUE(designer.isModified());
        // Yes, then Save as cancelled: the window stays.
        user.answerMessageBox(ui::IDYES);
        user.cancelFileDialog();
        u.click(ui::IDOK);
        EXPECT_FALSE(designer.hasEnded());
        EXPECT_EQ(user.fileDialogs().size(), 1u);
        // Yes, then a name outside the root folder: the failure is said, and the window stays.
        user.answerMessageBox(ui::IDYES);
        user.answerFileDialog(library.string() + "/Outside.txt");
        user.answerMessageBox(ui::IDOK);
        u.click(ui::IDOK);
        EXPECT_FALSE(designer.hasEnded());
        EXPECT_EQ(user.messageBoxes().back().request.text.rfind(dialString(30014), 0), 0u);
        // Yes, then a name: the template is saved under it and the window closes.
        user.answerMessageBox(ui::IDYES);
        user.answerFileDialog(root + "New.txt");
        u.click(ui::IDOK);
        EXPECT_TRUE(designer.hasEnded());
    });
    EXPECT_TRUE(fileExists(root + "New.txt"));
    EXPECT_FALSE(fileExists(root + ".txt"));
    EXPECT_FALSE(fileExists(library.string() + "/Outside.txt"));

    // A template whose file cannot be written (a folder took its place) keeps the window open.
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        ASSERT_TRUE(fs::remove(fs::path(root) / "Plate.txt"));
        ASSERT_TRUE(fs::create_directory(fs::path(root) / "Plate.txt"));
        u.click(D::kAdd);
        user.answerMessageBox(ui::IDYES);
        user.answerMessageBox(ui::IDOK);
        u.click(ui::IDOK);
        EXPECT_FALSE(designer.hasEnded());
        EXPECT_EQ(user.messageBoxes().back().request.text.rfind(dialString(30014) + "\n", 0), 0u);
        EXPECT_TRUE(designer.isModified());
        u.click(ui::IDCANCEL);
    });
}

TEST_F(DesignerWindow, CopyAlignAndSizeAfterAnOpenOrASaveAreNotLostOnClose) {
    // The commands mark the template changed: after opening (unchanged) ...
    for (int command : {D::kCopy, D::kAlignBottoms, D::kStickRight, D::kWidth, D::kHeight}) {
        run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
            ASSERT_FALSE(designer.isModified());
            designer.data.selectCtrls({33000, 33001});
            if (command == D::kWidth || command == D::kHeight) {
                user.onDialog(DlgTextInput::kTemplate, [](ui::DialogUser& input) {
                    input.typeText(DlgTextInput::kEdit, "44");
                    input.click(ui::IDOK);
                });
            }
            u.click(command);
            EXPECT_TRUE(designer.isModified()) << command;
            // ... so closing asks.
            user.answerMessageBox(ui::IDNO);
            u.click(ui::IDOK);
            EXPECT_TRUE(askedToSave()) << command;
        });
    }
    // ... and after saving.
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        u.click(D::kAdd);
        user.answerFileDialog(root + "Plate.txt");
        u.click(D::kSaveAs);
        ASSERT_FALSE(designer.isModified());
        designer.data.selectCtrls({33000});
        u.click(D::kCopy);
        EXPECT_EQ(designer.data.getNrControls(), 4);
        user.answerMessageBox(ui::IDYES);
        u.click(ui::IDOK);
        EXPECT_TRUE(askedToSave());
    });
    Zrk_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(root + "Plate.txt", false));
    EXPECT_EQ(saved.getNrControls(), 4);

    // A command that finds nothing to work on changes nothing.
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        designer.data.selectCtrls({33000});
        u.click(D::kStickRight); // needs two
        designer.data.selectCtrls({});
        u.click(D::kDelete);
        u.click(D::kCopy);
        EXPECT_FALSE(designer.isModified());
        u.click(ui::IDOK);
    });
}

// --- open ------------------------------------------------------------------------------------------

TEST_F(DesignerWindow, OpenAsksFirstAndKeepsTheTemplateWhenTheFileIsRefused) {
    ASSERT_TRUE(writeFileAtomically(library.string() + "/Outside.txt", plateText));
    ASSERT_TRUE(writeFileAtomically(root + "Broken.txt", "nrOfControls:int=many\n"));
    Zrk_DlgDesignerData other;
    Zrk_DesignerControl label = control(ctLabel, "Thickness", 0.1, 0.5, 0.4, 0.6);
    other.append(label);
    ASSERT_TRUE(other.writeToFile(root + "Other.txt"));
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        // Outside the root folder, and a file that is no template: refused, said, nothing changes.
        for (const Zrk_String& path : {library.string() + "/Outside.txt", root + "Broken.txt"}) {
            user.answerFileDialog(path);
            user.answerMessageBox(ui::IDOK);
            u.click(D::kOpen);
            EXPECT_EQ(user.messageBoxes().back().request.text.rfind(dialString(30017) + "\n", 0), 0u) << path;
            EXPECT_EQ(designer.data.getTemplateName(), "Plate");
            EXPECT_EQ(designer.data.getNrControls(), 2);
            EXPECT_NE(designer.item(33000), nullptr);
        }
        // Changed: the question comes first; Cancel stops the Open.
        u.click(D::kAdd);
        user.answerMessageBox(ui::IDCANCEL);
        u.click(D::kOpen);
        EXPECT_TRUE(askedToSave());
        EXPECT_EQ(user.fileDialogs().size(), 2u);
        // No: the other template opens, unchanged, with its windows.
        user.answerMessageBox(ui::IDNO);
        user.answerFileDialog(root + "Other.txt");
        u.click(D::kOpen);
        EXPECT_EQ(designer.data.getTemplateName(), "Other");
        EXPECT_FALSE(designer.isModified());
        EXPECT_EQ(designer.title(), dialString(843) + " - <Other>");
        EXPECT_EQ(designer.data.getNrDrawnControls(), 1);
        EXPECT_EQ(designer.item(33001), nullptr);
        u.click(ui::IDOK);
    });
    EXPECT_EQ(user.fileDialogs().at(0).title, dialString(841));
    EXPECT_EQ(fileText(root + "Plate.txt"), plateText);
}

// --- the property panel -----------------------------------------------------------------------------

TEST_F(DesignerWindow, ThePanelShowsAndAppliesTheSelectedControlsProperties) {
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        // Nothing selected: the panel is empty and disabled.
        EXPECT_FALSE(designer.isItemEnabled(D::kTypeCombo));
        EXPECT_EQ(designer.itemText(D::kContentsEdit), "");
        // A click on a control selects it and shows it.
        u.clickAt(QPoint(70, 39));
        EXPECT_EQ(designer.comboCurSel(D::kTypeCombo), ctCellEdit);
        EXPECT_EQ(designer.itemText(D::kContentsLabel), dialString(828));
        EXPECT_EQ(designer.itemText(D::kContentsEdit), "Width");
        EXPECT_FALSE(designer.isItemEnabled(D::kComboListEdit));
        // Typing renames the control and its window at once.
        u.typeText(D::kContentsEdit, "PlateWidth");
        EXPECT_EQ(designer.data.getControl(0)->contents, "PlateWidth");
        EXPECT_EQ(designer.itemText(33000), "PlateWidth");

        // A type change makes the windows again and keeps the control selected.
        QWidget* before = designer.item(33000);
        u.choose(D::kTypeCombo, ctCellCombo);
        EXPECT_EQ(designer.data.getControl(0)->type, ctCellCombo);
        EXPECT_NE(qobject_cast<QComboBox*>(designer.item(33000)), nullptr);
        EXPECT_NE(designer.item(33000), before);
        EXPECT_EQ(designer.data.tracker()->getSelectedIds(), (std::vector<int>{33000}));
        EXPECT_EQ(designer.data.getControl(0)->topLeftX, 0.1);
        // The combo-list field is in use now, labelled for the type.
        EXPECT_TRUE(designer.isItemEnabled(D::kComboListEdit));
        EXPECT_EQ(designer.itemText(D::kComboListLabel), dialString(833));
        u.typeText(D::kComboListEdit, "Lists/a.lst;b");
        EXPECT_EQ(designer.data.getControl(0)->comboList, "Lists/a.lst;b");

        // Back to a type without the field: what it holds stays with the control.
        u.choose(D::kTypeCombo, ctCellEdit);
        EXPECT_FALSE(designer.isItemEnabled(D::kComboListEdit));
        u.typeText(D::kContentsEdit, "W");
        EXPECT_EQ(designer.data.getControl(0)->comboList, "Lists/a.lst;b");

        // A flex button's name is its tool tip; the parameters are split into the four fields.
        u.choose(D::kTypeCombo, ctFlexButton);
        u.typeText(D::kComboListEdit, "Group;p2;p3;p4");
        u.typeText(D::kContentsEdit, "Left");
        EXPECT_EQ(designer.data.getControl(0)->flexParams[0], "Group");
        EXPECT_EQ(designer.item(33000)->toolTip(), "Left");

        // Two selected: the panel is empty again, and typing goes nowhere.
        u.clickHolding(QPoint(230, 75), true, false);
        EXPECT_FALSE(designer.isItemEnabled(D::kContentsEdit));
        EXPECT_EQ(designer.data.getControl(1)->contents, "Height");
        u.click(ui::IDCANCEL);
    });
}

// --- the picture ---------------------------------------------------------------------------------------

TEST_F(DesignerWindow, ChoosingAPicture) {
    const Zrk_String other = library.string() + "/Other.bmp";
    struct stat before {};
    ASSERT_EQ(::stat((root + "Plate.bmp").c_str(), &before), 0);
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        // The template's own picture: nothing is copied (the file stays the very same file).
        user.answerFileDialog(root + "Plate.bmp");
        u.click(D::kPicture);
        struct stat after {};
        ASSERT_EQ(::stat((root + "Plate.bmp").c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_TRUE(designer.isModified());
        int width = 0, height = 0;
        designer.data.getImageSize(width, height);
        EXPECT_EQ(width, kWidth);

        // Another picture is copied beside the template; the controls keep their places in it.
        user.answerFileDialog(other);
        u.click(D::kPicture);
        designer.data.getImageSize(width, height);
        EXPECT_EQ(QSize(width, height), QSize(200, 100));
        EXPECT_EQ(rectOf(designer.data, 33000), QRect(20, 10, 30, 6));
        EXPECT_EQ(designer.data.getControl(0)->topLeftX, 0.1);

        // A file that is no picture is refused before anything is copied.
        user.answerFileDialog(root + "Plate.txt");
        user.answerMessageBox(ui::IDOK);
        u.click(D::kPicture);
        EXPECT_EQ(user.messageBoxes().back().request.text.rfind(dialString(30019), 0), 0u);
        designer.data.getImageSize(width, height);
        EXPECT_EQ(width, 200);
        u.click(ui::IDCANCEL);
    });
    EXPECT_EQ(user.fileDialogs().at(0).filterName, dialString(839) + " (*.bmp)");
    QImage copied;
    ASSERT_TRUE(copied.load(QString::fromStdString(root + "Plate.bmp")));
    EXPECT_EQ(copied.size(), QSize(200, 100));
}

TEST_F(DesignerWindow, APictureForATemplateWithoutANameSavesItFirst) {
    const Zrk_String other = library.string() + "/Other.bmp";
    run(Zrk_String(), [&](D& designer, ui::DialogUser& u) {
        // Without a picture no control can be placed.
        user.answerMessageBox(ui::IDOK);
        u.click(D::kAdd);
        EXPECT_EQ(user.messageBoxes().back().request.text, dialString(30016));
        EXPECT_EQ(designer.data.getNrControls(), 0);
        // Save as cancelled: nothing changes.
        user.answerFileDialog(other);
        user.cancelFileDialog();
        u.click(D::kPicture);
        int width = 0, height = 0;
        designer.data.getImageSize(width, height);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(designer.data.getTemplateName(), "");
        EXPECT_FALSE(designer.isModified());
        // Saved under a name, the picture lands beside it.
        user.answerFileDialog(other);
        user.answerFileDialog(root + "Fresh.txt");
        u.click(D::kPicture);
        EXPECT_EQ(designer.data.getTemplateName(), "Fresh");
        designer.data.getImageSize(width, height);
        EXPECT_EQ(width, 200);
        EXPECT_TRUE(designer.isModified());
        u.click(D::kAdd);
        EXPECT_EQ(designer.data.getNrControls(), 1);
        user.answerMessageBox(ui::IDYES);
        u.click(ui::IDOK);
    });
    EXPECT_TRUE(fileExists(root + "Fresh.bmp"));
    Zrk_DlgDesignerData saved;
    ASSERT_TRUE(saved.readFromFile(root + "Fresh.txt", true));
    EXPECT_EQ(saved.getNrControls(), 1);
}

// --- a template laid out with the mouse -------------------------------------------------------------------

TEST_F(DesignerWindow, ATemplateLaidOutWithTheMouseOpensAgainExactlyAsDropped) {
    Zrk_DlgDesignerData empty;
    ASSERT_TRUE(empty.writeToFile(root + "Plate.txt"));
    std::vector<QRect> dropped;
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        Zrk_DlgDesignerData& data = designer.data;
        // Three new controls, each at (80, 60), 30 x 18, dragged away one after the other.
        u.click(D::kAdd);
        u.drag(QPoint(95, 69), QPoint(35, 29)); // to (20, 20)
        u.click(D::kAdd);
        u.drag(QPoint(95, 69), QPoint(255, 49)); // to (240, 40)
        // The second one wider and higher by its bottom-right handle.
        const QPoint handle = data.getDrawnControl(1)->handleRect(CControlRect::hitBottomRight).center();
        u.drag(handle, handle + QPoint(30, 6)); // 60 x 24
        u.click(D::kAdd);
        u.typeText(D::kContentsEdit, "Thickness");
        u.choose(D::kTypeCombo, ctLabel);
        u.drag(QPoint(95, 69), QPoint(115, 229)); // to (100, 220)
        // The first two side by side and their bottoms aligned: a rubber band around both, then "| |".
        u.drag(QPoint(5, 5), QPoint(310, 100));
        EXPECT_EQ(data.tracker()->getSelectedIds().size(), 2u);
        u.click(D::kStickRight);
        for (int id : {33000, 33001, 33002})
            dropped.push_back(rectOf(data, id));
        EXPECT_EQ(dropped[0], QRect(20, 20, 30, 18));
        EXPECT_EQ(dropped[1], QRect(50, 20, 60, 18));
        EXPECT_EQ(dropped[2], QRect(100, 220, 30, 18));
        user.answerMessageBox(ui::IDYES);
        u.click(ui::IDOK);
    });
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        ASSERT_EQ(designer.data.getNrControls(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rectOf(designer.data, 33000 + i), dropped[static_cast<std::size_t>(i)]) << i;
            EXPECT_EQ(designer.itemRect(33000 + i), dropped[static_cast<std::size_t>(i)]) << i;
        }
        EXPECT_EQ(designer.data.getControl(2)->type, ctLabel);
        EXPECT_EQ(designer.itemText(33002), "Thickness");
        EXPECT_FALSE(designer.isModified());
        u.click(ui::IDOK);
    });
    EXPECT_EQ(user.messageBoxes().size(), 1u);
}

TEST_F(DesignerWindow, TheWindowGrowsToShowThePictureAndKeepsThePanelAtItsRight) {
    savePicture(root + "Plate.bmp", 900, 600, qRgb(200, 200, 200));
    run(root + "Plate.txt", [&](D& designer, ui::DialogUser& u) {
        EXPECT_GE(designer.clientRect().height(), 600);
        const QRect panel = designer.itemRect(D::kTypeFrame);
        EXPECT_GE(panel.left(), 900);
        EXPECT_LE(panel.right(), designer.clientRect().right());
        EXPECT_LE(designer.itemRect(ui::IDOK).bottom(), designer.clientRect().bottom());
        u.savePicture(core::fromOsPath((library / "big.png").string()));
        u.click(ui::IDCANCEL);
    });
}
