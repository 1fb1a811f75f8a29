#pragma once
// The cladding settings dialog (template 252, StartDlgCladdingSettings) and the bracing dialog
// (template 255, StartDlgBracing): small forms over the core library's records (core/cladding_data.h).
// Each shows its record when it opens and reads it back on OK; the caller's record changes only then.
//
// Cladding: the purlins' section (offered names, or any section of the library through the section
// chooser), their kind, how they are spaced (the spacing field counts only for the last two
// placements, but its text is kept whatever the placement), sag rods, and where the first and the
// last purlin are held: only the holds valid for the record's purlin type are offered, in type order.
// Bracing: the roof's and the walls' bracing kind, each with its section (asked for only by the kind
// made of a section), and gusset plates.

#include <vector>

#include "core/cladding_data.h"
#include "module/export.h"
#include "ui/dialog.h"

class SS_EXPORT DlgCladdingSettings : public ui::Dialog {
public:
    static constexpr int kTemplate = 252;
    static constexpr int kSection = 1002;
    static constexpr int kChooseSection = 1003;
    static constexpr int kPurlinKind = 1005;
    static constexpr int kPlacement = 1007;
    static constexpr int kSpacing = 1009;
    static constexpr int kFirstConstraint = 1011;
    static constexpr int kLastConstraint = 1013;
    static constexpr int kSagRods = 1014;

    explicit DlgCladdingSettings(QWidget* owner = nullptr);
    KvCladdingDlgData data;

    // The holds offered in the two constraint lists, in their order.
    const std::vector<KvCladConstrainType>& offeredConstraints() const { return offered_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void showForm();
    void storeForm();
    void chooseSection();
    void updateEnabling();
    void showConstraint(int id, KvCladConstrainType type);
    KvCladConstrainType chosenConstraint(int id) const;

    std::vector<KvCladConstrainType> offered_;
};

class SS_EXPORT DlgBracing : public ui::Dialog {
public:
    static constexpr int kTemplate = 255;
    static constexpr int kRoofKind = 1002;
    static constexpr int kRoofSection = 1004;
    static constexpr int kWallKind = 1006;
    static constexpr int kWallSection = 1008;
    static constexpr int kGussetPlates = 1009;

    explicit DlgBracing(QWidget* owner = nullptr);
    KvBracingDlgData data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void updateEnabling();
};

// The cladding settings on a copy of data; true, with data changed, when the person ends with OK.
SS_EXPORT bool StartDlgCladdingSettings(KvCladdingDlgData& data);
// The bracing settings on a copy of data; true, with data changed, when the person ends with OK.
SS_EXPORT bool StartDlgBracing(KvBracingDlgData& data);

// What a record says, in a line of the language's texts (for the command line and the
// demonstrations): "purlins HAT-80x50x2, Lapped over the supports; Fixed spacing (1500); first
// purlin At the edge, last purlin At the ridge; no sag rods".
SS_EXPORT Zrk_String claddingSummary(const KvCladdingDlgData& data);
// "roof bracing Rods, crossed; wall bracing Sections, crossed L-60x60x6; gusset plates".
SS_EXPORT Zrk_String bracingSummary(const KvBracingDlgData& data);
