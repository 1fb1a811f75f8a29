#include "core/cladding_data.h"

bool isValidConstrainType(KvPurlinType purlinType, KvCladConstrainType type, bool includeFree) {
    switch (type) {
    case KvCladConstrainType::Free:
        return includeFree;
    case KvCladConstrainType::AtEdge:
    case KvCladConstrainType::FromEdge:
        return purlinType == KvPurlinType::Roof || purlinType == KvPurlinType::Wall ||
               purlinType == KvPurlinType::Canopy;
    case KvCladConstrainType::AtRidge:
        return purlinType == KvPurlinType::Roof;
    case KvCladConstrainType::AtOpening:
        return purlinType == KvPurlinType::Roof || purlinType == KvPurlinType::Wall;
    }
    return false; // a value outside the enumeration
}
