// Dialog template files: any bytes must read as a template or be refused with a message, without
// touching the template in memory; what reads writes a file that reads and writes back to the same
// bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "core/files.h"
#include "core/settings.h"
#include "designer/designer_data.h"

namespace {

// The library folder of this run, removed when the fuzzer exits.
struct Library {
    std::filesystem::path folder;
    ~Library() {
        std::error_code error;
        if (!folder.empty()) std::filesystem::remove_all(folder, error);
    }
};
Library gLibrary;

const Zrk_String& root() {
    static const Zrk_String folder = [] {
        // In memory where the system offers it: every write is flushed to its disk.
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        const auto library = base / ("ss_fuzz_templates_" + std::to_string(::getpid()));
        std::filesystem::create_directories(library / "Dialog Templates" / "Dialog Design");
        gLibrary.folder = library;
        gSettings.libDir = library.string() + "/";
        return getDesignerRootFolder();
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Zrk_String input = root() + "input.txt";
    if (!writeFileAtomically(input, std::string(reinterpret_cast<const char*>(data), size))) std::abort();

    Zrk_DlgDesignerData read;
    Zrk_DesignerControl kept;
    kept.contents = "kept";
    read.append(kept);
    Zrk_String message;
    if (!read.readFromFile(input, false, &message)) {
        // Refused: with a reason, and the template as it was.
        if (message.empty() || read.getNrControls() != 1 || read.getControl(0)->contents != "kept") std::abort();
        return 0;
    }
    if (read.getTemplateName() != "input") std::abort();

    std::string first, second;
    Zrk_DlgDesignerData again;
    if (!read.writeToFile(root() + "first.txt") || !again.readFromFile(root() + "first.txt", false) ||
        again.getNrControls() != read.getNrControls() || !again.writeToFile(root() + "second.txt") ||
        !readFileBytes(root() + "first.txt", first) || !readFileBytes(root() + "second.txt", second) || first != second)
        std::abort();
    return 0;
}
