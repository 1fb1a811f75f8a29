#pragma once
// CSV as RFC 4180 describes it: fields separated by commas, records by line ends (CRLF, or LF as many
// programs write), fields holding commas, quotes or line ends in double quotes with quotes doubled.
// The file is UTF-8 (a byte order mark is skipped); fields are the module's 8-bit text.

#include <string>
#include <vector>

#include "core/zrk_string.h"

namespace spreadlib {

// Splits CSV text into records of fields. A quoted field that is not closed, or text after a closing
// quote, is a fault: false, and message says on which line. The text after the last line end makes no
// empty record.
bool parseCsv(const std::string& utf8, std::vector<Zrk_StringArray>& records, Zrk_String& message);
// Writes records as CSV with CRLF line ends, quoting the fields that need it.
std::string writeCsv(const std::vector<Zrk_StringArray>& records);

} // namespace spreadlib
