#pragma once
// The desktop host's main window ("sshost gui"): the open drawing as a tree, the fields of the
// selected entry, and the host's command line as a pane; the File menu (open, save, save as, recent
// drawings), undo and redo of the host's transactions, and the menus of the module's dialogs
// (window_actions.h). The drawing is host::Document::current(), so that the module's dialogs and the
// standards engine work on what the window shows; the window listens to the document and shows each
// change as it happens. Nothing unsaved is lost without a question: opening another drawing and
// closing the window ask first.
//
// Message boxes and file dialogs go through the windowing layer (ui::messageBox, ui::getOpenFileName),
// so a test's ui::ScriptedUser answers them; the window's own controls are reached through the
// accessors below, as a person's mouse would reach them.
//
// While the window is open the editor's picks are answered in a small dialog (pick_dialog.h), the
// tree's selected macro or profile offered first, and each pick and its outcome is printed on the
// command pane.
//
// The window remembers its size and layout and the recent drawings with QSettings (~/.config/ss/desktop.ini).

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "host/document.h"
#include "sshost/gui/drawing_tree.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTableWidget;
class QTreeWidget;

namespace sshost::gui {

struct WindowAction;
class WindowPickInput;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(host::Document& document, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a drawing in place of the open one, asking first about unsaved changes. False when the
    // person kept the open drawing or the file could not be opened (said in a message box).
    bool openDrawing(const QString& path);
    // Opens it without questions or message boxes: false with the reason (the open one stays).
    bool openDrawingAsIs(const QString& path, Zrk_String& message);
    bool isDrawingModified() const;
    // The File menu's commands. save() without a file asks for one; false when nothing was written.
    bool save();
    bool saveAs();
    // Asks whether to save unsaved changes: true when the drawing may go (saved, or not wanted).
    bool maySetDrawingAside();

    // The window's parts, for the person's hands in tests.
    QAction* menuAction(const QString& menu, const QString& text) const;
    QTreeWidget& treeView() const { return *tree_; }
    DrawingTree& tree() { return treeModel_; }
    QTableWidget& fieldsView() const { return *fields_; }
    QPlainTextEdit& commandLine() const { return *output_; }
    QStringList recentFiles() const;
    // The tree's context menu at an entry, as a right click shows it.
    void showContextMenu(QTreeWidgetItem* item);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void refresh();
    void showFields();
    void updateCommands();
    void runAction(const WindowAction& action, const TreeObject& object);
    void addRecentFile(const QString& path);
    void fillRecentMenu();
    void undoOrRedo(bool undo);
    void print(const QString& text);

    host::Document& document_;
    QTreeWidget* tree_ = nullptr;
    DrawingTree treeModel_;
    QTableWidget* fields_ = nullptr;
    QPlainTextEdit* output_ = nullptr;
    QLabel* prompt_ = nullptr;
    QSplitter* sides_ = nullptr;
    QSplitter* panes_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    std::vector<std::pair<const WindowAction*, QAction*>> actions_;
    std::function<void(const Zrk_String&)> previousSink_;
    // Answers the editor's picks while the window lives (the dialogs' "pick in the drawing").
    std::unique_ptr<WindowPickInput> picks_;
};

} // namespace sshost::gui
