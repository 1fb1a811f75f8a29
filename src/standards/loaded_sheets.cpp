#include "standards/loaded_sheets.h"

namespace standards {

spreadlib::SheetFileCache& loadedSheets() {
    static spreadlib::SheetFileCache sheets;
    return sheets;
}

} // namespace standards
