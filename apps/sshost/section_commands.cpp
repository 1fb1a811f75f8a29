#include "sshost/section_commands.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "core/codepage.h"
#include "core/section_library.h"
#include "core/text.h"
#include "sections/dlg_add_section.h"
#include "sections/dlg_section_library.h"
#include "sshost/name_value.h"
#include "sshost/shell.h"
#include "ui/application.h"
#include "ui/scripted_user.h"

namespace sshost {
namespace {

std::string utf8(const Zrk_String& text) {
    return core::toUtf8(text);
}

int fail(const std::string& message) {
    std::cerr << "sshost: " << message << '\n';
    return 1;
}

// A dimension field by number (1 to 11) or letter (A to K).
bool fieldNumber(const Zrk_String& key, int& field) {
    for (int k = 1; k <= DlgEditLibSimple::kMostDimensions; ++k) {
        if (key == intToStr(k) || isEqual(key, getAlfabet(k), true)) {
            field = k;
            return true;
        }
    }
    return false;
}

struct AddSectionOptions {
    std::string table;
    std::string sysName;
    std::vector<std::string> values;
    std::string name;
    bool ok = false;
    std::string picture;
};

int runAddSection(const AddSectionOptions& options) {
    const Zrk_String tableName = core::fromUtf8(options.table);
    const Zrk_String sysName = core::fromUtf8(options.sysName);
    const bool scripted = options.ok || !options.picture.empty();
    if (options.ok && !options.picture.empty()) return fail("add-section takes --ok or --png, not both.");
    if (!scripted && (!options.values.empty() || !options.name.empty()))
        return fail("--value and --name fill the dialog for --ok or --png; without them the dialog is yours "
                    "to fill.");
    if (!scripted && ui::isHeadless())
        return fail("there is no display to show the dialog on; press OK with --ok, or save its picture with "
                    "--png FILE.");

    Zrk_StringArray keys, texts;
    std::string error;
    if (!splitNameValues(options.values, "--value", keys, texts, error)) return fail(error);
    std::vector<std::pair<int, Zrk_String>> typed;
    for (int i = 0; i < keys.length(); ++i) {
        int field = 0;
        if (!fieldNumber(keys[i], field))
            return fail("--value expects a dimension field 1 to 11 (or A to K), found \"" + utf8(keys[i]) +
                        "\".");
        typed.emplace_back(field, texts[i]);
    }

    Zrk_ProfValuesTable table;
    Zrk_String message;
    if (!table.readFromFile(tableName, &message)) return fail(utf8(asSentence(message)));
    int row = -1;
    if (!table.findSysName(sysName, row))
        return fail("the section table " + options.table + " has no section \"" + options.sysName + "\".");

    std::vector<std::string> problems;
    bool refused = false;
    std::optional<ui::ScriptedUser> user;
    if (scripted) {
        user.emplace([&problems](const std::string& problem) { problems.push_back(problem); });
        user->onDialog(DlgEditLibSimple::kTemplate, [&](ui::DialogUser& u) {
            const auto& dialog = static_cast<const DlgEditLibSimple&>(u.dialog());
            for (const auto& [field, text] : typed) {
                if (field > dialog.dimensionCount()) {
                    problems.push_back("the section " + options.sysName + " has " +
                                       std::to_string(dialog.dimensionCount()) +
                                       " dimensions; there is no field " + std::to_string(field) + ".");
                    u.click(ui::IDCANCEL);
                    return;
                }
                u.typeText(DlgEditLibSimple::kFirstDimension + field - 1, text);
            }
            if (!options.name.empty()) {
                u.click(DlgEditLibSimple::kOwnName);
                u.typeText(DlgEditLibSimple::kName, core::fromUtf8(options.name));
            }
            if (!options.picture.empty()) {
                if (!u.savePicture(core::fromUtf8(options.picture)))
                    problems.push_back("the picture could not be saved as " + options.picture + ".");
                u.click(ui::IDCANCEL);
                return;
            }
            u.click(ui::IDOK);
            if (!u.dialog().hasEnded()) {
                refused = true;
                u.click(ui::IDCANCEL);
            }
        });
    }

    Zrk_StringArray before;
    table.getColumn(0, before);
    int newIndex = -1;
    const bool added = StartDlgEditLibSimple(sysName, table, newIndex);
    if (user) {
        for (const auto& shown : user->messageBoxes())
            std::cout << ui::TerminalMessageBoxes::describe(shown.request, shown.answer);
        user.reset();
    }
    if (!problems.empty()) return fail(problems.front());
    if (refused) return fail("the section was not added; the table is unchanged.");
    if (!options.picture.empty()) {
        std::cout << "Picture of the add-section dialog saved as " << options.picture << ".\n";
        return 0;
    }
    if (!added) {
        std::cout << "Cancelled; the table is unchanged.\n";
        return 0;
    }
    if (!table.writeToFile(tableName))
        return fail("the section table " + utf8(Zrk_ProfValuesTable::filePath(tableName)) +
                    " could not be written.");
    // The new section is the one whose name the table did not have.
    int index = 0;
    while (index < table.rows.length() && !table.rows[index].isEmpty() &&
           before.contains(table.rows[index][0]))
        ++index;
    const Zrk_String name = table.rows.isValid(index) ? table.rows[index][0] : Zrk_String();
    std::cout << "Added the section " << utf8(table.tableName + "-" + name) << " to the table "
              << options.table << " as row " << index + 1 << " (active section " << newIndex + 1
              << "); written to " << utf8(Zrk_ProfValuesTable::filePath(tableName)) << ".\n";
    return 0;
}

struct SectionsOptions {
    std::string start;
    std::string picture;
};

int runSections(const SectionsOptions& options) {
    if (options.picture.empty() && ui::isHeadless())
        return fail("there is no display to show the section library on; save its picture with --png FILE.");
    DlgEditLibData data;
    Zrk_String message;
    if (!data.readFromLibrary(&message)) return fail(utf8(asSentence(message)));
    const Zrk_String start = core::fromUtf8(options.start);
    if (!options.picture.empty()) {
        ui::PictureTaker taker(core::fromUtf8(options.picture));
        StartDlgEditLibSections(data, start);
        if (!taker.taken())
            return fail(utf8(taker.error().empty() ? Zrk_String("the section library did not show itself")
                                                   : taker.error()) +
                        ".");
        std::cout << "Picture of the section library saved as " << options.picture << ".\n";
        return 0;
    }
    if (!StartDlgEditLibSections(data, start)) {
        std::cout
            << "Cancelled: the groups and types are unchanged (tables saved in the editor stay saved).\n";
        return 0;
    }
    if (!data.writeToLibrary(&message)) return fail(utf8(asSentence(message)));
    std::cout << "Section library written: " << data.groups.length() << " groups, " << data.types.length()
              << " types (" << utf8(DlgEditLibData::libraryFilePath()) << ").\n";
    return 0;
}

} // namespace

void addSectionCommands(CLI::App& app, Shell& shell) {
    auto sections = std::make_shared<SectionsOptions>();
    CLI::App* library = app.add_subcommand(
        "sections", "edit the library's section groups, types and tables in the section library editor");
    library->add_option("--start", sections->start,
                        "the section to show first: TABLE-SYSNAME (or a table's name)");
    library->add_option("--png", sections->picture, "save the editor's picture as a PNG file and cancel it");
    library->callback([&shell, sections] { shell.action = [sections] { return runSections(*sections); }; });

    auto add = std::make_shared<AddSectionOptions>();
    CLI::App* command = app.add_subcommand(
        "add-section", "add a section to a section table of the library, in the add-section dialog");
    command->add_option("table", add->table, "the section table (its name in the library's prof/)")
        ->required();
    command->add_option("sysname", add->sysName, "the section to start from (its system name in the table)")
        ->required();
    command->add_option("--value", add->values,
                        "type X into dimension field K: K=X, K 1 to 11 or A to K (repeatable)");
    command->add_option("--name", add->name, "choose the own name and type NAME");
    command->add_flag("--ok", add->ok,
                      "press OK without showing the dialog; a refusal is printed and nothing written");
    command->add_option("--png", add->picture, "save the dialog's picture as a PNG file and cancel it");
    command->callback([&shell, add] { shell.action = [add] { return runAddSection(*add); }; });
}

} // namespace sshost
