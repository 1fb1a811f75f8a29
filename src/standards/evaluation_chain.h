#pragma once
// The standards sheets being evaluated right now, outermost first: a sheet's child calls run inside
// its evaluation, so the chain is the path of calls that led to the running sheet. It limits how
// deeply children may nest (a child that calls its caller, directly or through others, would
// otherwise nest without end), and names the files when that limit is reached.
//
// Also kept here: why the last evaluation failed, in a sentence, for programs that run the engine
// without a person at the screen (the host shell prints it).

#include "core/zrk_string.h"
#include "frame/export.h"

namespace standards {

// The most sheets that may be evaluated inside one another: the sheet a caller starts and 15 levels
// of children.
inline constexpr int kMaxNestingDepth = 16;

const Zrk_StringArray& evaluationChain();

// Adds a sheet to the chain for the life of the link.
class ChainLink {
public:
    explicit ChainLink(const Zrk_String& filePath);
    ~ChainLink();
    ChainLink(const ChainLink&) = delete;
    ChainLink& operator=(const ChainLink&) = delete;
};

// The reason the last failing evaluation gave; empty after a success. The outermost evaluation
// starts with an empty reason; each failure sets one.
SS_EXPORT Zrk_String lastFailure();
void setFailure(const Zrk_String& reason);
void clearFailure();

} // namespace standards
