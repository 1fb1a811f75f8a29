#include "core/info_data.h"

#include "core/codepage.h"
#include "core/files.h"

Zrk_String DlgInfoData::text() const {
    Zrk_String all;
    for (const Zrk_String& line : lines)
        all += line + "\n";
    return all;
}

bool DlgInfoData::writeToFile(const Zrk_String& path) const {
    return writeFileAtomically(path, core::toUtf8(text()));
}
