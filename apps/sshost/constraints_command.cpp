#include "sshost/constraints_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "constraints/dlg_constraint_geometry.h"
#include "constraints/dlg_constraint_variables.h"
#include "constraints/dlg_edit_constraints.h"
#include "core/codepage.h"
#include "core/text.h"
#include "host/document.h"
#include "sshost/name_value.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/scripted_user.h"
#include "ui/user_interaction.h"

namespace sshost {
namespace {

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

struct ConstraintsOptions {
    std::string drawing;
    std::string macro;
    std::string module;
    std::string tab;
    std::vector<std::string> tags;
    std::vector<std::string> variables;
    std::vector<std::string> equations;
    bool close = false;
    std::string picture;
};

using D = DlgEditConstraints;
using G = ConstraintGeometryPage;
using V = ConstraintVariablesPage;

// The row of a geometry object by its id (the grid's second column) or its name tag; 0 for none.
int geometryRow(const Zrk_Spread& grid, const Zrk_String& object) {
    for (int row = 1; row <= grid.getNrRows(); ++row) {
        Zrk_String id, tag;
        grid.getCellText(G::kIdColumn, row, id);
        grid.getCellText(G::kTagColumn, row, tag);
        if (id == object || (!tag.empty() && isEqual(tag, object, true))) return row;
    }
    return 0;
}

// Fills the pages as the options ask, as a person would, and presses Close. Problems are collected.
struct PageEdits {
    Zrk_StringArray tagObjects, tags, variableNames, variableValues, equations;
    bool replaceEquations = false;

    void play(ui::DialogUser& u, std::vector<std::string>& problems) const {
        auto& dialog = static_cast<D&>(u.dialog());
        if (!tags.isEmpty()) {
            u.choose(D::kTabs, D::kGeometryTab);
            auto& geometry = static_cast<G&>(*dialog.geometryPage);
            for (int i = 0; i < tags.length(); ++i) {
                const int row = geometryRow(geometry.grid, tagObjects[i]);
                if (row == 0) {
                    problems.push_back("the module " + utf8(dialog.data.moduleName) +
                                       " has no geometry object \"" + utf8(tagObjects[i]) + "\".");
                    u.closeWindow();
                    return;
                }
                geometry.grid.setCellText(G::kTagColumn, row, tags[i]);
            }
        }
        if (!variableNames.isEmpty() || replaceEquations) {
            u.choose(D::kTabs, D::kVariablesTab);
            auto& page = static_cast<V&>(*dialog.variablesPage);
            ui::DialogUser p(page);
            for (int i = 0; i < variableNames.length(); ++i) {
                int row = 0;
                for (int r = 1; r <= page.variables.getNrRows() && row == 0; ++r) {
                    Zrk_String name;
                    page.variables.getCellText(1, r, name);
                    if (isEqual(name, variableNames[i], true)) row = r;
                }
                if (row == 0) {
                    p.click(V::kAdd);
                    row = page.variables.getNrRows();
                    page.variables.setCellText(1, row, variableNames[i]);
                }
                page.variables.setCellText(2, row, variableValues[i]);
            }
            if (replaceEquations) p.typeText(V::kEquations, arrToStr(equations, '\n'));
        }
        u.click(ui::IDOK);
    }
};

int tabOf(const std::string& name) {
    if (name.empty() || name == "list") return D::kListTab;
    if (name == "geometry") return D::kGeometryTab;
    if (name == "variables") return D::kVariablesTab;
    if (name == "palette") return D::kPaletteTab;
    return -1;
}

// The dialog changes the drawing as it goes (each operation one undo step); the file is written when
// the person closes it with Close and something changed, never after the close box.
int runConstraints(const ConstraintsOptions& options) {
    PageEdits edits;
    std::string error;
    if (!splitNameValues(options.tags, "--tag", edits.tagObjects, edits.tags, error) ||
        !splitNameValues(options.variables, "--variable", edits.variableNames, edits.variableValues, error))
        return fail(error);
    for (const std::string& equation : options.equations)
        edits.equations.append(core::fromUtf8(equation));
    edits.replaceEquations = !options.equations.empty();
    const bool scripted =
        options.close || !edits.tags.isEmpty() || !edits.variableNames.isEmpty() || edits.replaceEquations;
    const int tab = tabOf(options.tab);
    if (tab < 0)
        return fail("--tab expects list, geometry, variables or palette, found \"" + options.tab + "\".");
    if (scripted && !options.picture.empty())
        return fail("--png saves the dialog's picture and writes nothing; --tag, --variable, --equation and "
                    "--close edit the drawing. Give one or the other.");
    if (!scripted && options.picture.empty() && ui::isHeadless())
        return fail(
            "there is no display to show the dialog on; save its picture with --png FILE, or edit with "
            "--tag, --variable, --equation and --close.");

    std::optional<ui::TerminalMessageBoxes> terminal;
    if (!scripted) terminal.emplace();
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(core::fromUtf8(options.drawing), message)) return fail(utf8(message));
    const Zrk_DbMacro* macro = document.database().findMacroByName(core::fromUtf8(options.macro));
    if (!macro) return fail("The drawing " + options.drawing + " has no macro \"" + options.macro + "\".");
    EditConstrData data = constraintRecordOf(macro->objectId());
    if (!options.module.empty() && !SetCurrentModule(data, core::fromUtf8(options.module)))
        return fail("The macro " + options.macro + " has no module \"" + options.module + "\".");

    std::vector<std::string> problems;
    std::optional<ui::ScriptedUser> user;
    std::optional<ui::PictureTaker> taker;
    if (scripted) {
        user.emplace([&problems](const std::string& problem) { problems.push_back(problem); });
        user->onDialog(D::kTemplate, [&](ui::DialogUser& u) { edits.play(u, problems); });
    } else if (!options.picture.empty()) {
        taker.emplace(core::fromUtf8(options.picture));
    }
    const bool closed = StartDlgEditConstrModal(data, tab);
    if (taker) {
        if (!taker->taken())
            return fail(taker->error().empty() ? std::string("the dialog did not show itself.")
                                               : utf8(taker->error()));
        std::cout << "Picture of the dialog saved as " << options.picture << "; nothing was written.\n";
        return 0;
    }
    if (user) {
        for (const auto& shown : user->messageBoxes())
            std::cout << ui::TerminalMessageBoxes::describe(shown.request, shown.answer);
        const bool refused = !user->messageBoxes().empty();
        user.reset();
        if (!problems.empty()) return fail(problems.front());
        if (refused) return fail("the edits were refused; the drawing was not written.");
    }
    if (!closed) {
        std::cout << "Cancelled: the drawing was not written.\n";
        return 0;
    }
    if (!document.database().isModified()) {
        std::cout << "Nothing changed: the drawing was not written.\n";
        return 0;
    }
    if (!document.save(message)) return fail(utf8(message));
    Zrk_StringArray modules;
    MacroGetModules(data, modules);
    std::cout << "The modules of " << options.macro << ": " << utf8(arrToStr(modules, ',')) << "\nSaved "
              << utf8(document.path()) << ".\n";
    return 0;
}

} // namespace

void addConstraintsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<ConstraintsOptions>();
    CLI::App* command = app.add_subcommand(
        "constraints",
        "edit a macro's modules, constraints, geometry, variables and equations in the constraint "
        "dialog (modal)");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--macro", options->macro, "the macro's name")->required();
    command->add_option("--module", options->module, "the module to open on (else the macro's first)");
    command->add_option("--tab", options->tab, "the page to open on: list, geometry, variables or palette");
    command->add_option("--tag", options->tags,
                        "OBJECT=TAG: give a geometry object (its id or tag) a name tag");
    command->add_option("--variable", options->variables,
                        "NAME=VALUE: set (or add) a variable of the module");
    command->add_option("--equation", options->equations,
                        "the module's equations, one an option (replaces them)");
    command->add_flag("--close", options->close, "press Close after the edits, without showing the dialog");
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runConstraints(*options); }; });
}

} // namespace sshost
