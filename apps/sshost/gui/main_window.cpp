#include "sshost/gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>

#include "core/codepage.h"
#include "core/settings.h"
#include "frame/modeless_dialogs.h"
#include "host/command_line.h"
#include "sshost/gui/pick_dialog.h"
#include "sshost/gui/window_actions.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/popup_menu.h"

namespace sshost::gui {
namespace {

constexpr int kRecentFiles = 8;
const char* const kRecentKey = "recentFiles";
const char* const kCaption = "SS desktop";

Zrk_String zrk(const QString& text) {
    return core::fromUtf8(text.toStdString());
}

QString qt(const Zrk_String& text) {
    return QString::fromStdString(core::toUtf8(text));
}

// The window's own settings file (~/.config/ss/desktop.ini), beside the dialogs' sizes.
std::unique_ptr<QSettings> store() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("ss"),
                                       QStringLiteral("desktop"));
}

ui::FileDialogRequest drawingFileRequest(const char* title) {
    ui::FileDialogRequest request;
    request.title = title;
    request.filterName = "Drawings";
    request.extension = "json";
    request.startFolder = gSettings.libDir + "Drawings/";
    return request;
}

} // namespace

MainWindow::MainWindow(host::Document& document, QWidget* parent)
    : QMainWindow(parent), document_(document), tree_(new QTreeWidget), treeModel_(*tree_) {
    tree_->setHeaderHidden(true);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    fields_ = new QTableWidget(0, 2);
    fields_->setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("Value")});
    fields_->horizontalHeader()->setStretchLastSection(true);
    fields_->verticalHeader()->hide();
    fields_->verticalHeader()->setDefaultSectionSize(fields_->fontMetrics().height() + 6);
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The command line: what the module prints, and the prompt of the editor.
    auto* commandPane = new QWidget;
    auto* commandLayout = new QVBoxLayout(commandPane);
    commandLayout->setContentsMargins(0, 0, 0, 0);
    output_ = new QPlainTextEdit;
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    prompt_ = new QLabel(QStringLiteral("Command:"));
    commandLayout->addWidget(output_);
    commandLayout->addWidget(prompt_);

    sides_ = new QSplitter(Qt::Horizontal);
    sides_->addWidget(tree_);
    sides_->addWidget(fields_);
    sides_->setStretchFactor(0, 3);
    sides_->setStretchFactor(1, 2);
    panes_ = new QSplitter(Qt::Vertical);
    panes_->addWidget(sides_);
    panes_->addWidget(commandPane);
    panes_->setStretchFactor(0, 4);
    panes_->setStretchFactor(1, 1);
    setCentralWidget(panes_);

    buildMenus();
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] {
        showFields();
        updateCommands();
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const TreeObject object = treeModel_.objectOf(item);
        for (const auto& [action, menuAction] : actions_)
            if (action->appliesTo == object.kind && object.kind != TreeKind::None) {
                runAction(*action, object);
                return;
            }
    });
    connect(tree_, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showContextMenu(tree_->itemAt(at)); });

    // What the module prints goes to the pane (and on to whoever listened before: the terminal).
    host::CommandLine& commandLine = host::CommandLine::instance();
    const host::CommandLine::Sink before = commandLine.sink();
    commandLine.setSink([this, before](const Zrk_String& text) {
        print(qt(text));
        if (before) before(text);
    });
    previousSink_ = before;
    document_.setChangeListener([this] { refresh(); });
    picks_ = std::make_unique<WindowPickInput>(
        this, [this] { return treeModel_.selected().owner; },
        [this](const Zrk_String& prompt, const Zrk_String& outcome) {
            print(qt(prompt + ": " + outcome + "\n"));
        });

    resize(1000, 700);
    const auto settings = store();
    restoreGeometry(settings->value("geometry").toByteArray());
    sides_->restoreState(settings->value("sides").toByteArray());
    panes_->restoreState(settings->value("panes").toByteArray());
    refresh();
}

MainWindow::~MainWindow() {
    picks_.reset();
    document_.setChangeListener(nullptr);
    host::CommandLine::instance().setSink(previousSink_);
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] {
        Zrk_String path;
        if (!maySetDrawingAside()) return;
        if (!ui::getOpenFileName(drawingFileRequest("Open a drawing"), path, this)) return;
        openDrawing(qt(path));
    });
    saveAction_ = file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { save(); });
    saveAsAction_ =
        file->addAction(QStringLiteral("Save &as..."), QKeySequence::SaveAs, this, [this] { saveAs(); });
    recentMenu_ = file->addMenu(QStringLiteral("&Recent drawings"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, [this] { close(); });
    fillRecentMenu();

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    undoAction_ =
        edit->addAction(QStringLiteral("&Undo"), QKeySequence::Undo, this, [this] { undoOrRedo(true); });
    redoAction_ =
        edit->addAction(QStringLiteral("&Redo"), QKeySequence::Redo, this, [this] { undoOrRedo(false); });

    // The module's dialogs, one menu per table menu in the table's order.
    std::map<std::string, QMenu*> menus;
    for (const WindowAction& action : windowActions()) {
        QMenu*& menu = menus[action.menu];
        if (!menu) menu = menuBar()->addMenu(QString::fromUtf8(action.menu));
        QAction* entry = menu->addAction(QString::fromUtf8(action.text));
        connect(entry, &QAction::triggered, this,
                [this, &action] { runAction(action, treeModel_.selected()); });
        actions_.emplace_back(&action, entry);
    }
}

QAction* MainWindow::menuAction(const QString& menu, const QString& text) const {
    for (QAction* top : menuBar()->actions()) {
        if (top->text().remove('&') != menu || !top->menu()) continue;
        for (QAction* entry : top->menu()->actions())
            if (entry->text().remove('&') == text) return entry;
    }
    return nullptr;
}

void MainWindow::print(const QString& text) {
    output_->moveCursor(QTextCursor::End);
    output_->insertPlainText(text);
    output_->verticalScrollBar()->setValue(output_->verticalScrollBar()->maximum());
}

void MainWindow::refresh() {
    treeModel_.show(document_.isOpen() ? &document_.database() : nullptr);
    showFields();
    updateCommands();
}

void MainWindow::showFields() {
    const auto rows = treeModel_.fields(treeModel_.selected());
    fields_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        fields_->setItem(i, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].first));
        fields_->setItem(i, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].second));
    }
    fields_->resizeColumnToContents(0);
}

void MainWindow::updateCommands() {
    const bool open = document_.isOpen();
    const core::Drawing& drawing = document_.database();
    // The title says itself when the drawing has unsaved changes ("[*]" would show as it stands in
    // the window's picture).
    QString title = open ? QFileInfo(qt(document_.path())).fileName() : QStringLiteral("no drawing");
    if (open && drawing.isModified()) title += QStringLiteral("*");
    setWindowTitle(title + QStringLiteral(" - ") + QString::fromUtf8(kCaption));
    saveAction_->setEnabled(open);
    saveAsAction_->setEnabled(open);
    undoAction_->setEnabled(open && drawing.canUndo());
    redoAction_->setEnabled(open && drawing.canRedo());
    const TreeObject object = treeModel_.selected();
    for (const auto& [action, entry] : actions_)
        entry->setEnabled(applies(*action, object, open));
}

void MainWindow::runAction(const WindowAction& action, const TreeObject& object) {
    if (!applies(action, object, document_.isOpen())) return;
    ActionContext context{this, document_, object};
    action.run(context);
    // Shown again whatever the action did: not every change of the drawing runs in a transaction
    // the window hears of (the core library's own operations keep their undo records themselves).
    refresh();
}

void MainWindow::showContextMenu(QTreeWidgetItem* item) {
    if (!item) return;
    tree_->setCurrentItem(item);
    const TreeObject object = treeModel_.objectOf(item);
    std::vector<ui::MenuItem> items;
    std::vector<const WindowAction*> offered;
    for (const auto& [action, entry] : actions_) {
        if (action->appliesTo == TreeKind::None || action->appliesTo != object.kind) continue;
        offered.push_back(action);
        items.push_back({static_cast<int>(offered.size()), zrk(QString::fromUtf8(action->text))});
    }
    if (items.empty()) return;
    const int chosen =
        ui::trackPopupMenu(items, tree_->viewport()->mapToGlobal(tree_->visualItemRect(item).center()), this);
    if (chosen >= 1 && chosen <= static_cast<int>(offered.size()))
        runAction(*offered[static_cast<std::size_t>(chosen - 1)], object);
}

bool MainWindow::maySetDrawingAside() {
    if (!document_.isOpen() || !document_.database().isModified()) return true;
    const QString name = QFileInfo(qt(document_.path())).fileName();
    const int answer =
        ui::messageBox(zrk(QStringLiteral("The drawing %1 has changed. Save the changes?").arg(name)), {},
                       ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION, this);
    if (answer == ui::IDCANCEL) return false;
    if (answer == ui::IDNO) return true;
    return save();
}

bool MainWindow::openDrawing(const QString& path) {
    if (!maySetDrawingAside()) return false;
    Zrk_String message;
    if (!openDrawingAsIs(path, message)) {
        ui::messageBox(message, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
        return false;
    }
    return true;
}

bool MainWindow::openDrawingAsIs(const QString& path, Zrk_String& message) {
    // The module's modeless windows edit objects of the drawing being set aside: they close with it,
    // since a dialog left open would apply its changes to a drawing that is no longer there.
    DestroyAllMacroDlgs();
    EndDlgEditConstraints();
    if (!document_.open(zrk(path), message)) return false;
    addRecentFile(QFileInfo(path).absoluteFilePath());
    print(QStringLiteral("Opened %1.\n").arg(path));
    return true;
}

bool MainWindow::isDrawingModified() const {
    return document_.isOpen() && document_.database().isModified();
}

bool MainWindow::save() {
    if (!document_.isOpen()) return false;
    if (document_.path().empty()) return saveAs();
    Zrk_String message;
    if (!document_.save(message)) {
        ui::messageBox(message, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
        return false;
    }
    print(QStringLiteral("Saved %1.\n").arg(qt(document_.path())));
    updateCommands();
    return true;
}

bool MainWindow::saveAs() {
    if (!document_.isOpen()) return false;
    ui::FileDialogRequest request = drawingFileRequest("Save the drawing as");
    request.fileName = document_.path();
    Zrk_String path;
    if (!ui::getSaveFileName(request, path, this)) return false;
    Zrk_String message;
    if (!document_.saveAs(path, message)) {
        ui::messageBox(message, {}, ui::MB_OK | ui::MB_ICONEXCLAMATION, this);
        return false;
    }
    addRecentFile(QFileInfo(qt(path)).absoluteFilePath());
    print(QStringLiteral("Saved %1.\n").arg(qt(path)));
    updateCommands();
    return true;
}

void MainWindow::undoOrRedo(bool undo) {
    Zrk_String message;
    if (!(undo ? document_.undo(message) : document_.redo(message)))
        print(qt(message) + QStringLiteral("\n"));
    else
        print(undo ? QStringLiteral("Undone.\n") : QStringLiteral("Redone.\n"));
}

QStringList MainWindow::recentFiles() const {
    return store()->value(kRecentKey).toStringList();
}

void MainWindow::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles)
        files.removeLast();
    store()->setValue(kRecentKey, files);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (const QString& path : files)
        recentMenu_->addAction(path, this, [this, path] { openDrawing(path); });
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maySetDrawingAside()) {
        event->ignore();
        return;
    }
    const auto settings = store();
    settings->setValue("geometry", saveGeometry());
    settings->setValue("sides", sides_->saveState());
    settings->setValue("panes", panes_->saveState());
    event->accept();
}

} // namespace sshost::gui
