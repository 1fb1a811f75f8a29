#pragma once
// The constraint list page of the constraint dialog (template 207): the current module's constraints
// (and its cuts) in a grid, and the attributes of the selected one below it.
//
//   the grid         a row per constraint, its columns from the record's display cells (name, kind,
//                    first and second object); a click on a header sorts by that column (the
//                    column sorted last again: nothing happens); the right button on columns 1-3
//                    offers the constraint's context menu
//   the attributes   value (1030), variable name (1000), choice (1005), the two flags (1283, 1284:
//                    the second only while the first is ticked), each enabled when the selected
//                    constraint has it; up to five picture buttons in up to two radio groups,
//                    divided by "%radioBreak%" in the constraint's picture list (a constraint that
//                    offers more than five pictures shows the first five and says so on the
//                    command line); the cut editor (1334) for a cut; delete (1087)
//
// The selected constraint is stored (its attributes written into the drawing when one of them
// changed) before another is selected, before sorting, before the page is left and when it goes.
// A variable name is checked when its edit loses the focus: a name in use, a name starting with a
// digit and a name with other characters than letters and digits are each refused with a message
// (the name stays in the edit for correction).

#include "constraints/constraint_pages.h"
#include "spread/zrk_spread.h"

class ConstraintListPage : public ConstraintEditingPage {
public:
    static constexpr int kTemplate = 207;
    static constexpr int kGrid = 1200;
    static constexpr int kValueLabel = 1201, kValue = 1030;
    static constexpr int kNameLabel = 1202, kName = 1000;
    static constexpr int kChoiceLabel = 1203, kChoice = 1005;
    static constexpr int kFlag1 = 1283, kFlag2 = 1284;
    static constexpr int kPictureCount = 5;
    static constexpr int kPictures[kPictureCount] = {1083, 1077, 1084, 1085, 1086};
    static constexpr int kCutEditor = 1334;
    static constexpr int kDelete = 1087;
    // The context menu's commands, for the first to the sixth action the core library lists.
    static constexpr int kMenuCommandCount = 6;
    static constexpr int kMenuCommands[kMenuCommandCount] = {32811, 32812, 32816, 32817, 32818, 32800};

    ConstraintListPage() : ConstraintEditingPage(kTemplate) {}

    Zrk_Spread grid;

    void refresh() override;
    void store() override;
    void leave() override;

    // The selected constraint (an index into the record's lists), -1 for none.
    int selected() const { return selected_; }
    // The picture buttons in use, and the first button (counted from 1) of the second group (-1:
    // there is none).
    int picturesInUse() const { return picturesInUse_; }
    int secondGroupStart() const { return secondGroupStart_; }
    int sortedColumn() const { return sortedColumn_; }
    bool swallowsEscape() const { return swallowEscape_; }

    // --- what the person can do -----------------------------------------------------------------------
    void selectConstraint(int index);
    void sortBy(int column);
    bool deleteSelected();
    bool editCut();
    // Checks the variable name in the edit; false (with its message shown) when it is refused.
    bool checkVariableName();
    void showContextMenu(int row, const QPoint& screenPosition);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onDestroy() override;

private:
    void fill();
    void clearDetails();
    void showPictures(int index);
    void clickPicture(int button);
    Zrk_Array<int> pictureSelections() const;

    bool initialised_ = false;
    int selected_ = -1;
    int picturesInUse_ = 0;
    int secondGroupStart_ = -1;
    int groupCount_ = 0; // picture groups closed by a "%radioBreak%" (at most two)
    int sortedColumn_ = 0;
    bool swallowEscape_ = false;
    bool selecting_ = false;
};
