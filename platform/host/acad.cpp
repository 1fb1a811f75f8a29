#include "host/acad.h"

const AcDbObjectId AcDbObjectId::kNull;

namespace host {
const char* statusName(Acad::ErrorStatus status) {
    switch (status) {
    case Acad::eOk: return "eOk";
    case Acad::eNotImplementedYet: return "eNotImplementedYet";
    case Acad::eNotApplicable: return "eNotApplicable";
    case Acad::eInvalidInput: return "eInvalidInput";
    case Acad::eKeyNotFound: return "eKeyNotFound";
    case Acad::eDuplicateKey: return "eDuplicateKey";
    case Acad::eNullObjectId: return "eNullObjectId";
    case Acad::eFileNotFound: return "eFileNotFound";
    case Acad::eFilerError: return "eFilerError";
    case Acad::eWasErased: return "eWasErased";
    }
    return "unknown status";
}
} // namespace host
