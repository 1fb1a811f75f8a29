#include "sshost/gui/gui_command.h"

#include <CLI/CLI.hpp>
#include <QApplication>
#include <QTreeWidget>
#include <iostream>
#include <memory>

#include "core/codepage.h"
#include "host/document.h"
#include "sshost/gui/main_window.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/picture.h"

namespace sshost {
namespace {

struct GuiOptions {
    std::string drawing;
    std::string picture;
};

int runGui(const GuiOptions& options) {
    if (options.picture.empty() && ui::isHeadless()) {
        std::cerr << "sshost: there is no display to show the window on; save its picture with --png FILE.\n";
        return 1;
    }
    host::Document& document = host::Document::current();
    gui::MainWindow window(document);
    if (!options.drawing.empty()) {
        // A drawing named on the command line that cannot be opened ends the command (the window
        // would otherwise open on nothing, which is not what was asked for).
        Zrk_String message;
        if (!window.openDrawingAsIs(QString::fromStdString(options.drawing), message)) {
            std::cerr << "sshost: " << core::toUtf8(message) << '\n';
            return 1;
        }
    }
    window.show();
    if (!options.picture.empty()) {
        // As a person would first look at it: the first macro chosen, its modules open.
        QTreeWidget& tree = window.treeView();
        if (QTreeWidgetItem* macros = tree.topLevelItem(0); macros && macros->childCount() > 0) {
            QTreeWidgetItem* first = macros->child(0);
            first->setExpanded(true);
            for (int i = 0; i < first->childCount(); ++i)
                first->child(i)->setExpanded(true);
            tree.setCurrentItem(first);
        }
        QApplication::processEvents();
        Zrk_String error;
        if (!ui::savePicture(window, core::fromUtf8(options.picture), &error)) {
            std::cerr << "sshost: " << core::toUtf8(error) << '\n';
            return 1;
        }
        std::cout << "Picture of the window saved as " << options.picture << ".\n";
        // The picture taken, the window goes without asking: nothing was changed.
        return 0;
    }
    QApplication::exec();
    return 0;
}

} // namespace

void addGuiCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<GuiOptions>();
    CLI::App* command = app.add_subcommand("gui", "open the desktop window on a drawing");
    command->add_option("drawing", options->drawing, "the drawing file to open");
    command->add_option("--png", options->picture, "save a picture of the window as it opens, and end");
    command->callback([&shell, options] { shell.action = [options] { return runGui(*options); }; });
}

} // namespace sshost
