// Document settings in their text form (the tag of cell (0, 0) and ".kvd" files): any bytes must read
// without harm; what was read writes a text that reads back to the same store, and the settings
// taken over from it write and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sheetdoc/document_settings.h"
#include "sheetdoc/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsStore store;
    store.fromText(Zrk_String(reinterpret_cast<const char*>(data), size));
    const Zrk_String written = store.toText();
    SettingsStore again;
    again.fromText(written);
    if (again.toText() != written) std::abort();

    DocumentSettings settings;
    settings.takeOver(store);
    DocumentSettings back;
    back.takeOver(settings.toStore());
    if (!(back == settings)) std::abort();
    return 0;
}
