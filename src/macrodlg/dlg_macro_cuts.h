#pragma once
// The macro cuts dialog (template 223): one cut of a macro module, new or existing, over the core
// library's cut record (core/macro_cuts_data.h). Other modules open it through StartDlgMacroCuts.
//
//   the type          a picture list of the six cut types; choosing another type replaces the
//                     offsets by that type's default rows (an existing cut keeps its type and name)
//   the offsets       a grid: the offset's name as shown (the stored names never change), a check
//                     box and the value (a number or a general variable's "gen_" name)
//   type settings     radios, a further text, a corner choice and three flags, shown by type
//   the module        mode 1 the module of the dialog's macros, mode 2 a module of a macro the person
//                     picks in the drawing (the dialog steps aside while he picks)
//   OK                checks, in order: a module is named; in mode 2 the name is not used in that
//                     module yet; every value is a number or a general variable. Each refusal says
//                     why and keeps the dialog open; nothing is handed back until all pass.
//   Escape            ends as Cancel and is remembered (escaped()), Cancel itself is not

#include "core/macro_cuts_data.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgMacroCuts : public ui::Dialog {
public:
    static constexpr int kTemplate = 223;
    static constexpr int kType = 1284;
    static constexpr int kNameLabel = 1123;
    static constexpr int kName = 1000;
    static constexpr int kOffsets = 1196;
    static constexpr int kRadio1 = 1288;
    static constexpr int kRadio2 = 1289;
    static constexpr int kRadio3 = 1290;
    static constexpr int kTextLabel = 1124;
    static constexpr int kText = 1001;
    static constexpr int kChoiceLabel = 1281;
    static constexpr int kChoice = 1283;
    static constexpr int kFlagA = 1323;
    static constexpr int kFlagB = 1325;
    static constexpr int kFlagC = 1326;
    static constexpr int kModeOwn = 1285;
    static constexpr int kModePicked = 1286;
    static constexpr int kPick = 1079;
    static constexpr int kModuleLabel = 1280;
    static constexpr int kModule = 1282;

    explicit DlgMacroCuts(QWidget* owner = nullptr);

    DlgMacroCutsData data; // the dialog's own copy
    Zrk_Spread grid;       // the offsets

    // Whether the dialog was left with Escape.
    bool escaped() const { return escaped_; }
    // The name an offset's row shows for a stored offset name.
    static Zrk_String offsetDisplayName(const Zrk_String& storedName);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onOK() override;
    void onDestroy() override;

private:
    int shownType() const;
    void showData();
    void fillOffsets();
    void layoutByType();
    void updateTextField();
    void updateFlags();
    void fillModules(const Zrk_String& keep);
    void pickMacro();
    void store();

    bool escaped_ = false;
};

// Runs the cuts dialog on a copy of data: true, with the copy written back, when the person pressed
// OK; false with data unchanged otherwise. escaped tells whether he left with Escape.
SS_EXPORT bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& escaped);
