#pragma once
// The look-up dialog (template 244, StartDlgLookUp): the criteria a caller looks objects up by. Each
// criterion is a text the person types or chooses from the texts the caller offers; two three-way
// choices, a radio pair and a check box complete it. The caller fills and reads the record; the dialog
// only shows and stores it. OK answers resultMode kResultLookUp, "Show all" kResultShowAll; both end
// the dialog as OK, so the caller gets the record back either way.

#include <array>

#include "core/zrk_string.h"
#include "module/export.h"
#include "ui/dialog.h"

class SS_EXPORT KvLookUpDlgData {
public:
    static constexpr int kCriterionCount = 4;
    static constexpr int kResultLookUp = 0;
    static constexpr int kResultShowAll = 2;

    KvLookUpDlgData() = default;
    KvLookUpDlgData(const KvLookUpDlgData&) = default;
    KvLookUpDlgData& operator=(const KvLookUpDlgData&) = default;
    virtual ~KvLookUpDlgData() = default;

    std::array<Zrk_String, kCriterionCount> criteria;           // as typed
    std::array<Zrk_StringArray, kCriterionCount> criteriaLists; // the texts offered for each
    int choiceA = 0;                                            // 0, 1 or 2
    Zrk_String fifthCriterion;
    Zrk_StringArray fifthCriterionList;
    int choiceB = 0; // 0, 1 or 2
    bool flagA = false;
    bool flagB = false; // meaningful only while flagA is false (its check box is enabled only then)
    int resultMode = kResultLookUp;

    bool operator==(const KvLookUpDlgData&) const = default;
};

class DlgLookUp : public ui::Dialog {
public:
    static constexpr int kTemplate = 244;
    static constexpr int kCriteriaGroup = 1395;
    static constexpr std::array<int, KvLookUpDlgData::kCriterionCount> kCriteria = {1384, 1386, 1387, 1389};
    static constexpr std::array<int, KvLookUpDlgData::kCriterionCount> kCriteriaLabels = {1123, 1385, 1124,
                                                                                          1388};
    static constexpr int kChoiceA = 1398;
    static constexpr int kFifthLabel = 1390;
    static constexpr int kFifth = 1391;
    static constexpr int kChoiceBLabel = 1392;
    static constexpr int kChoiceB = 1393;
    static constexpr int kFlagAOff = 1396;
    static constexpr int kFlagAOn = 1397;
    static constexpr int kFlagB = 1394;
    static constexpr int kShowAll = 3;

    explicit DlgLookUp(QWidget* owner = nullptr);

    KvLookUpDlgData data;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void store();
    void updateFlagB();
};

// The look-up dialog on a copy of data; true, with data changed, when the person ends it with OK or
// "Show all" (data.resultMode tells which).
SS_EXPORT bool StartDlgLookUp(KvLookUpDlgData& data);

// The criteria in a line, for the host shell: the mode, the texts ("(any)" for an empty one), the
// choices and the flags.
SS_EXPORT Zrk_String lookUpSummary(const KvLookUpDlgData& data);
