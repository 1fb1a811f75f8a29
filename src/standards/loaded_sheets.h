#pragma once
// The standards sheets read so far, kept as they were read: every evaluation loads its sheet and its
// children's, and while their files stay unchanged they come from memory instead of being read and
// parsed again (spreadlib/sheet_cache.h says when a file counts as changed).

#include "spreadlib/sheet_cache.h"

namespace standards {

spreadlib::SheetFileCache& loadedSheets();

} // namespace standards
