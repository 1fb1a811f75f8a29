// Regression-case files: any bytes must parse or be refused with a message naming a line, never harm.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standards/regression_cases.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Zrk_StringArray lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.append(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    standards::RegressionCases cases;
    Zrk_String error;
    if (!standards::parseRegressionCases(lines, "f.cases", cases, error)) {
        if (error.rfind("f.cases:", 0) != 0) std::abort(); // every fault names its line
        return 0;
    }
    for (const standards::RegressionCase& test : cases.cases) {
        if (test.name.empty() || test.line < 1 || test.line > lines.length()) std::abort();
        if (test.inputNames.length() != test.inputValues.length() ||
            test.outputNames.length() != test.outputValues.length() ||
            test.genVarNames.length() != test.genVarValues.length())
            std::abort();
        for (const Zrk_String& name : test.inputNames)
            if (name.empty()) std::abort();
    }
    if (cases.tolerance < 0) std::abort();
    return 0;
}
