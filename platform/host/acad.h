#pragma once
// Basic types of the CAD host's plug-in interface: status codes, application messages, object ids and
// arrays. Header-only, so that the core library's macro model can use them too.

#include <cstdint>

#include "core/zrk_string.h"

namespace Acad {
enum ErrorStatus {
    eOk = 0,
    eNotImplementedYet = 1,
    eNotApplicable = 2,
    eInvalidInput = 3,
    eKeyNotFound = 4,
    eDuplicateKey = 5,
    eNullObjectId = 6,
    eFileNotFound = 7,
    eFilerError = 8,
    eWasErased = 9,
    eCreateFailed = 337, // an object or window could not be made
};
} // namespace Acad

namespace AcRx {
enum AppMsgCode { kNullMsg = 0, kInitAppMsg = 1, kUnloadAppMsg = 2 };
enum AppRetCode { kRetOK = 0, kRetError = 3 };
} // namespace AcRx

// The plug-in interface version this host speaks; a module answers it from acrxGetApiVersion.
namespace host {
inline constexpr int kApiVersion = 16;

inline const char* statusName(Acad::ErrorStatus status) {
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
    case Acad::eCreateFailed: return "eCreateFailed";
    }
    return "unknown status";
}
} // namespace host

// A handle of an object of the open drawing; 0 is the null id.
class AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(std::int64_t handle) : handle_(handle) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return handle_ == 0; }
    std::int64_t handle() const { return handle_; }
    void setNull() { handle_ = 0; }
    auto operator<=>(const AcDbObjectId&) const = default;

private:
    std::int64_t handle_ = 0;
};

inline const AcDbObjectId AcDbObjectId::kNull{};

template <typename T> using AcArray = Zrk_Array<T>;
