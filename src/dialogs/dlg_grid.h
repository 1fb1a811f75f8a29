#pragma once
// The structural grid dialog (template 242, StartDlgGrid): the two directions of a grid, each a number
// of lines, a spacing and the label of the first line, and one option. The caller decides what the
// values mean (a spacing may be a list the caller reads); the dialog shows them and stores what was
// typed, unchecked: a count that is not a number reads as its leading digits, or 0.

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"

class SS_EXPORT KvGridDlgData {
public:
    KvGridDlgData() = default;
    KvGridDlgData(const KvGridDlgData&) = default;
    KvGridDlgData& operator=(const KvGridDlgData&) = default;
    virtual ~KvGridDlgData() = default;

    int firstCount = 4;
    Zrk_String firstSpacing = "5000";
    Zrk_String firstLabel = "A";
    int secondCount = 3;
    Zrk_String secondSpacing = "5000";
    Zrk_String secondLabel = "1";
    bool option = false;

    bool operator==(const KvGridDlgData&) const = default;
};

class DlgGrid : public ui::Dialog {
public:
    static constexpr int kTemplate = 242;
    static constexpr int kFirstGroup = 1372;
    static constexpr int kFirstCountLabel = 1366;
    static constexpr int kFirstCount = 1367;
    static constexpr int kFirstSpacingLabel = 1368;
    static constexpr int kFirstSpacing = 1369;
    static constexpr int kFirstLabelLabel = 1370;
    static constexpr int kFirstLabel = 1371;
    static constexpr int kSecondGroup = 1375;
    static constexpr int kSecondCountLabel = 1373;
    static constexpr int kSecondCount = 1374;
    static constexpr int kSecondSpacingLabel = 1376;
    static constexpr int kSecondSpacing = 1377;
    static constexpr int kSecondLabelLabel = 1378;
    static constexpr int kSecondLabel = 1379;
    static constexpr int kOption = 1380;

    explicit DlgGrid(QWidget* owner = nullptr);

    KvGridDlgData data;

protected:
    bool onInitDialog() override;
    void onOK() override;
};

// The grid dialog on a copy of data; true, with data changed, when the person ends it with OK.
SS_EXPORT bool StartDlgGrid(KvGridDlgData& data);

// The grid in a line, for the host shell: "4 lines 5000 apart from A, 3 lines 5000 apart from 1".
SS_EXPORT Zrk_String gridSummary(const KvGridDlgData& data);
