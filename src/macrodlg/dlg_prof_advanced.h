#pragma once
// The advanced profile dialog (template 220): every placement setting of a profile group, or of one
// profile: section (and, for a morphed profile, the second section with its two texts), offset type
// with its 3 x 3 anchor buttons and the free displacement, rotation, base plane or coordinate system,
// the placement on one segment of a polyline, the choice list and the three-state option.
//
// The dialog never writes a macro itself: its owner serves it through a callback (KvMACallBackType)
// with four requests: 0 read the settings (of settings.groupName, or of the owner's current target
// when that is empty), 1 write them (and update the drawing), then read them back, 2 the dialog
// steps aside for a pick in the drawing (the owner hides too), 3 the pick is over. Every change the
// person makes is applied at once through request 1 and the dialog shows what came back, so closing
// it undoes nothing. Without a callback nothing is read or written.
//
// A coordinate system the dialog makes (the profile's own coordinate system, button 1350) is named
// in createdCoordSystem, for the owner to keep or erase. The size is kept under
// "DLG_MACRO_PROFADVANCED".

#include <functional>

#include "core/macro_data.h"
#include "module/export.h"
#include "ui/dialog.h"

class KvMACallBackData;
// The owner's answer to a request; false when it could not be served (the dialog then keeps what it
// shows).
using KvMACallBackType = std::function<bool(int request, KvMACallBackData& data, MacroProfData& settings)>;

// What the owner's callback is handed with every request.
class SS_EXPORT KvMACallBackData {
public:
    MacroData* macroData = nullptr; // the macro dialog data edited (null for owners of their own)
    Zrk_String tabName;             // its tab
    AcArray<AcDbObjectId> objects;  // the profiles edited (owners that edit drawing objects)

    static constexpr int kRead = 0;
    static constexpr int kWrite = 1;
    static constexpr int kHide = 2;
    static constexpr int kShow = 3;
};

class SS_EXPORT DlgMacroProfAdv : public ui::Dialog {
public:
    enum : int {
        kTemplate = 220,
        kSecondCheck = 1257,
        kGroupLabel = 1187,
        kGroup = 1223,
        kSectionLabel = 1188,
        kSection = 1250,
        kPickSection = 1251,
        kSecondSection = 1254,
        kPickSecondSection = 1255,
        kMorphText1 = 1248,
        kMorphText2 = 1249,
        kChoiceLabel = 1189,
        kChoice = 1256,
        kOffsetLabel = 1227,
        kOffsetType = 1228,
        kPickPoint = 1229,
        kXLabel = 1230,
        kX = 1231,
        kYLabel = 1234,
        kY = 1235,
        kAnchor1 = 1232,
        kRotationFrame = 1216,
        kRot0 = 1233,
        kRot90 = 1238,
        kRot180 = 1239,
        kRot270 = 1240,
        kRotVaries = 1247,
        kRotOther = 1241,
        kRotValue = 1242,
        kPlaneFrame = 1217,
        kWcs = 1243,
        kPlaneVaries = 1244,
        kPickedPlane = 1245,
        kOwnCoordSystem = 1350,
        kNamedCoordSystem = 1351,
        kAxisLabel = 1191,
        kAxis = 1252,
        kCoordSystems = 1253,
        kPickPlane = 1246,
        kOption = 1354,
        kSegmentLabel = 1190,
        kOnSegment = 1224,
        kSegmentNumberLabel = 1225,
        kSegment = 1226,
        kZoom = 1320,
        kPicture = 1159,
    };
    // The anchor buttons 1-9, rows top to bottom, left to right.
    static const int kAnchors[9];
    // The window grows by this many dialog units to the right for the morphed section's controls.
    static constexpr int kMorphedUnits = 65;

    explicit DlgMacroProfAdv(QWidget* owner = nullptr);

    MacroProfData data; // the settings shown (the dialog's own record)
    bool groupFixed = false;
    bool hasSecondCheck = false;
    bool secondCheck = false;
    bool morphed = false;
    bool pointPicked = false;
    bool coordSystemAllowed = true; // 1350 may make a coordinate system
    KvMACallBackType callback;
    KvMACallBackData callbackData;
    Zrk_String createdCoordSystem;

    // The offset type index of an anchor button (1-9), and the anchor button (1-9, 0 none) of an index.
    static int offsetTypeOfAnchor(int anchor);
    static int anchorOfOffsetType(int index);

    void showSettings();
    void store(bool justPicked);
    void apply(bool justPicked);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onOK() override;
    void onDestroy() override;

private:
    bool request(int what);
    void updateCoordControls();
    void pickPlaneOrSystem();
    void pickSectionPoint();
    void pickSection(bool second);
    void showPicture();
    void fillSectionList(int id, const Zrk_String& section, Zrk_StringArray& systemNames);
    Zrk_String sectionOfList(int id, const Zrk_StringArray& systemNames, const Zrk_String& stored) const;

    Zrk_StringArray sections_;       // system names of 1250's items
    Zrk_StringArray secondSections_; // of 1254's
    bool shown_ = false;             // the settings are on the controls (events may apply)
    bool zooming_ = false;
};

namespace macrodlg {

// The sections a section list offers for the section chosen now: those of its section table (system
// names, and the names shown: the user names where the table has them), a section of no table (a
// user section's drawing) first as it is, and the varies text last, which has no system name. A
// list shows systemNames.find(section), or its last item for the varies text.
void sectionListOf(const Zrk_String& section, Zrk_StringArray& systemNames, Zrk_StringArray& shownNames);

// Lets the person choose a section in the core library's section chooser, starting from section.
// picked is the section chosen, relative to the library folder when it lies inside it. False (picked
// untouched) when the person cancelled.
bool chooseSection(QWidget* owner, const Zrk_String& section, Zrk_String& picked);

} // namespace macrodlg

// The callback of owners that edit macro dialog data (callbackData.macroData and tabName): reads the
// group's settings (settings.groupName), and writes them into the group's merged settings and the
// macros (UpdateModule, every profile field) before reading them back. Hide and show do nothing.
SS_EXPORT KvMACallBackType macroDataProfileCallback();

// The advanced profile dialog for one group of a tab of macro dialog data: each change is written
// into the group's merged settings and the macros (UpdateModule, all profile fields). Afterwards,
// when data edits a single drawing object, that object is erased, and so is a coordinate system the
// dialog made: its callers hand in a temporary object made for the dialog and rely on that.
SS_EXPORT void StartDlgMacroProfAdv(MacroData& data, const Zrk_String& tabName, const Zrk_String& groupName,
                                    bool groupFixed);
// The advanced profile dialog for profiles of the caller, served by its callback: nothing happens for a
// null or empty array. flag in: whether the check box 1257 is offered (it starts unticked); out: its
// state when the dialog was closed with OK and it was offered, else false.
SS_EXPORT void StartDlgMacroProfAdv(const AcArray<AcDbObjectId>* objects, bool& flag,
                                    KvMACallBackType callback);
