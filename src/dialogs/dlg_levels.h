#pragma once
// The levels dialog (template 243, StartDlgLevels): the building levels of a levels record
// (core/levels_data.h), one shown at a time. The list chooses the level; the value relative to its
// reference is edited and stored as the person moves to another level, adds one, or ends with OK.
// The reference of a level is chosen only while the level is new: afterwards other levels may rest
// on it, and the record keeps chains from running in a circle.
//
// "+" asks for the new level's name; a name in use (letter case ignored), or the world's "wcs", is
// refused with a message and asked for again, at most kMostNameAttempts times: after that the dialog
// gives up and adds nothing. "-" deletes the shown level when no other level rests on it, and shows
// the one before it (the first when the first went). Without levels nothing can be edited but "+".

#include "core/levels_data.h"
#include "module/export.h"
#include "ui/dialog.h"

class DlgLevels : public ui::Dialog {
public:
    static constexpr int kTemplate = 243;
    static constexpr int kLevelList = 1381;
    static constexpr int kName = 1000;
    static constexpr int kReference = 1382;
    static constexpr int kRelative = 1001;
    static constexpr int kAbsolute = 1002;
    static constexpr int kAddLevel = 1088;
    static constexpr int kDeleteLevel = 1089;
    static constexpr int kListLabel = 1081;
    static constexpr int kNameLabel = 1123;
    static constexpr int kReferenceLabel = 1124;
    static constexpr int kRelativeLabel = 1227;
    static constexpr int kAbsoluteLabel = 1126;
    static constexpr int kMostNameAttempts = 20;

    explicit DlgLevels(QWidget* owner = nullptr);

    KvLevelsDlgData data;

    // The index of the shown level, or -1 when there is none.
    int currentLevel() const { return current_; }
    // Whether the shown level was added since it was last shown (its reference may still change).
    bool isNewLevel() const { return newLevel_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;

private:
    void fillList();
    void showLevel(int index);
    void showNoLevel();
    void storeCurrentLevel();
    void addLevel();
    void deleteLevel();

    int current_ = -1;
    bool newLevel_ = false;
};

// The levels dialog on a copy of data; true, with data changed, when the person ends it with OK. The
// drawing changes only when the caller writes the record (setRealLevels).
SS_EXPORT bool StartDlgLevels(KvLevelsDlgData& data);
