// Demonstrations of the standards dialogs for the host shell (frame/demo_dialogs.h): the mapping page
// on the sample end-plate macro, and the general variables of the sample library.

#include <filesystem>
#include <unistd.h>

#include "core/drawing.h"
#include "core/files.h"
#include "core/gen_vars.h"
#include "core/settings.h"
#include "core/text.h"
#include "frame/demo_dialogs.h"
#include "standards/dlg_gen_vars.h"
#include "standards/dlg_standards_mapping_host.h"

namespace {

namespace fs = std::filesystem;

// The library's standards and section tables copied into a temporary library for the time of a
// demonstration, so that the mapping records a person makes on the page leave the sample as it is.
class ScratchLibrary {
public:
    ScratchLibrary() : original_(gSettings.libDir) {
        std::error_code error;
        folder_ = fs::temp_directory_path(error) / ("ss_mapping_demo_" + std::to_string(::getpid()));
        fs::remove_all(folder_, error);
        fs::create_directories(folder_, error);
        const fs::path from(core::osPath(original_));
        for (const char* part : {"Connection Standards", "prof"}) {
            fs::copy(from / part, folder_ / part, fs::copy_options::recursive, error);
            if (error) return;
        }
        ready_ = true;
        gSettings.libDir = ensureEndSlash(core::fromOsPath(folder_.string()));
    }
    ~ScratchLibrary() {
        gSettings.libDir = original_;
        std::error_code error;
        fs::remove_all(folder_, error);
    }
    ScratchLibrary(const ScratchLibrary&) = delete;
    ScratchLibrary& operator=(const ScratchLibrary&) = delete;
    bool ready() const { return ready_; }

private:
    Zrk_String original_;
    fs::path folder_;
    bool ready_ = false;
};

Zrk_String describeStandards(const TabMappingData& mapping) {
    Zrk_String text;
    for (int i = 0; i < mapping.ssNames.length() && i < mapping.mappingRefs.length(); ++i) {
        const Zrk_String& ref = mapping.mappingRefs[i];
        text += (i ? ", " : " ") + mapping.ssNames[i] + " (" +
                (TabMappingData::isModuleRef(ref) ? ref
                 : ref.empty()                    ? Zrk_String("no record")
                                                  : "record " + ref) +
                ")";
    }
    return text.empty() ? Zrk_String(" none") : text;
}

Zrk_String demoStandardsMapping() {
    const Zrk_String drawingPath = gSettings.libDir + "Macros/EndPlate.json";
    core::Drawing drawing;
    Zrk_String message;
    if (!drawing.readFromFile(drawingPath, &message)) return message;
    Zrk_DbMacro* macro = drawing.findMacroByName("EndPlate");
    if (!macro) return drawingPath + " has no macro \"EndPlate\".";
    ScratchLibrary library;
    if (!library.ready()) return "The sample library could not be copied to a temporary folder.";
    core::Drawing* previous = core::setWorkingDrawing(&drawing);
    const bool accepted = StartDlgStandardsMapping(macro->objectId());
    core::setWorkingDrawing(previous);
    if (!accepted) return "Cancelled.";
    return "Accepted; the standards of EndPlate:" + describeStandards(macro->macro()->settings.tabMapping) +
           ". (The page wrote into a copy of the sample library, now removed.)";
}

Zrk_String demoGeneralVariables() {
    KvAutoStandardsData data;
    Zrk_String message;
    if (!data.readFromFile(KvAutoStandardsData::libraryFile(gSettings.libDir), &message)) return message;
    if (!StartDlgGenVars(data)) return "Cancelled.";
    return "Accepted: " + intToStr(data.dwgGenVars().length()) + " general variables of drawings (" +
           arrToStr(data.dwgGenVars(), ',') + "), " + intToStr(data.stdGenVars().length()) +
           " of standards (" + arrToStr(data.stdGenVars(), ',') + ").";
}

[[maybe_unused]] const bool kMapping = frame::registerDemoDialog("standards-mapping", &demoStandardsMapping);
[[maybe_unused]] const bool kGenVars = frame::registerDemoDialog("general-variables", &demoGeneralVariables);

} // namespace
