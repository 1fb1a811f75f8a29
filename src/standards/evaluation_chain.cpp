#include "standards/evaluation_chain.h"

namespace standards {

namespace {
Zrk_StringArray& chain() {
    static Zrk_StringArray files;
    return files;
}
Zrk_String& failure() {
    static Zrk_String reason;
    return reason;
}
} // namespace

const Zrk_StringArray& evaluationChain() { return chain(); }

ChainLink::ChainLink(const Zrk_String& filePath) { chain().append(filePath); }
ChainLink::~ChainLink() { chain().removeLast(); }

Zrk_String lastFailure() { return failure(); }
void setFailure(const Zrk_String& reason) { failure() = reason; }
void clearFailure() { failure().clear(); }

} // namespace standards
