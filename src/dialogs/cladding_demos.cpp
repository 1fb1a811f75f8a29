// Demonstrations of the cladding settings and bracing dialogs for the host shell
// (module/demo_dialogs.h), on records such as the cladding and bracing generators hand in:
//   sshost dialog cladding    a roof's purlins: hat sections, lapped, a fixed spacing of 1500
//   sshost dialog bracing     crossed rods in the roof, crossed angles in the walls

#include "core/text.h"
#include "dialogs/dlg_cladding.h"
#include "module/demo_dialogs.h"

namespace {

Zrk_String demoCladding() {
    KvCladdingDlgData data;
    data.purlinType = KvPurlinType::Roof;
    data.sections = {"HAT-60x40x1.5", "HAT-80x50x2", "IPE-100", "IPE-120"};
    data.section = "HAT-80x50x2";
    data.purlinKind = 1;
    data.placement = 3;
    data.spacing = "1500";
    data.firstConstraint = KvCladConstrainType::AtEdge;
    data.lastConstraint = KvCladConstrainType::AtRidge;
    if (!StartDlgCladdingSettings(data)) return "Cancelled.";
    return "Cladding settings: " + asSentence(claddingSummary(data));
}

Zrk_String demoBracing() {
    KvBracingDlgData data;
    data.sections = {"L-50x50x5", "L-60x60x6", "L-70x70x7", "FL-30x5"};
    data.roofKind = 2;
    data.wallKind = core::kBracingKindSection;
    data.wallSection = "L-60x60x6";
    data.gussetPlates = true;
    if (!StartDlgBracing(data)) return "Cancelled.";
    return "Bracing: " + asSentence(bracingSummary(data));
}

[[maybe_unused]] const bool kCladdingDemo = frame::registerDemoDialog("cladding", &demoCladding);
[[maybe_unused]] const bool kBracingDemo = frame::registerDemoDialog("bracing", &demoBracing);

} // namespace
