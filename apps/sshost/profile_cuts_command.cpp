#include "sshost/profile_cuts_command.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <vector>

#include "core/codepage.h"
#include "core/text.h"
#include "dialogs/dlg_prof_cuts.h"
#include "host/document.h"
#include "host/editor.h"
#include "sshost/shell.h"

namespace sshost {
namespace {

struct ProfileCutsOptions {
    std::string drawing;
    std::string profile;
    std::string picture;
};

int fail(const Zrk_String& message) {
    std::cerr << "sshost: " << core::toUtf8(message) << '\n';
    return 1;
}

// The profile of that name (its mark; letter case ignored), or the null id.
AcDbObjectId findProfileByName(const core::Drawing& drawing, const Zrk_String& name) {
    std::vector<core::DrawingObjectRef> profiles;
    drawing.listObjects(core::ObjectKind::Profile, profiles);
    for (const core::DrawingObjectRef& profile : profiles)
        if (isEqual(profile.name, name, true)) return profile.id;
    return AcDbObjectId();
}

// Each profile with its cuts, one line each (the person may have picked another in the dialog).
void printCuts(core::Drawing& drawing) {
    for (int i = 0; i < drawing.profileCount(); ++i) {
        const Zrk_Profile& profile = *drawing.profileAt(i)->profile();
        Zrk_String line = "Cuts of " + profile.name + ":";
        for (const Zrk_CutConstraint& cut : profile.cuts)
            line += " " + cut.name;
        std::cout << core::toUtf8(profile.cuts.isEmpty() ? line + " none" : line) << '\n';
    }
}

int runProfileCuts(const ProfileCutsOptions& options) {
    if (!canShowDialog(options.picture, "the profile cuts")) return 1;
    host::Document& document = host::Document::current();
    Zrk_String message;
    if (!document.open(core::fromUtf8(options.drawing), message)) return fail(message);
    DlgProfCutsData cuts;
    cuts.profileId = findProfileByName(document.database(), core::fromUtf8(options.profile));
    if (cuts.profileId.isNull())
        return fail("The drawing " + core::fromUtf8(options.drawing) + " has no profile \"" +
                    core::fromUtf8(options.profile) + "\".");

    if (!options.picture.empty()) {
        if (!savePictureOf(options.picture, [&cuts] { StartEditProfCutsDlg(cuts); })) return 1;
        std::cout << "Picture of the profile cuts saved as " << options.picture << "; nothing was written.\n";
        return 0;
    }
    const bool accepted = StartEditProfCutsDlg(cuts);
    if (!accepted) {
        std::cout << "Cancelled: " << options.drawing << " was not changed.\n";
        return 0;
    }
    if (!document.save(message)) return fail(message);
    printCuts(document.database());
    std::cout << "Saved " << core::toUtf8(document.path()) << ".\n";
    return 0;
}

} // namespace

void addProfileCutsCommand(CLI::App& app, Shell& shell) {
    auto options = std::make_shared<ProfileCutsOptions>();
    CLI::App* command =
        app.add_subcommand("profile-cuts", "preview and delete the cuts of a profile of a drawing");
    command->add_option("--drawing", options->drawing, "the drawing file")->required();
    command->add_option("--profile", options->profile, "the profile's name (its mark)")->required();
    command->add_option("--png", options->picture,
                        "save the dialog's picture as a PNG file instead (writes nothing)");
    command->callback([&shell, options] { shell.action = [options] { return runProfileCuts(*options); }; });
}

} // namespace sshost
