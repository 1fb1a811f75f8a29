#pragma once
// The profile cuts dialog (template 235, StartEditProfCutsDlg): the cuts of a profile of the working
// drawing in a list, the chosen one previewed in the drawing, a button that deletes it (in the drawing
// at once, one undo step, however the dialog ends) and one that lets the person pick another profile.
// Everything about cuts is the record's (core/prof_cuts_data.h); the dialog drives it.
//
// Previews: the box "no preview" turns them off; the preview of the chosen cut is shown only while
// they are on, and ticking the box takes every preview away. When the dialog closes, by OK or
// Cancel, every preview is taken away, so that none stays in the drawing. Whether previews are on is
// remembered for the next run of the dialog when it ends with OK.

#include "core/prof_cuts_data.h"
#include "module/export.h"
#include "ui/dialog.h"

class DlgProfCuts : public ui::Dialog {
public:
    static constexpr int kTemplate = 235;
    static constexpr int kCutList = 1339;
    static constexpr int kDeleteCut = 1087;
    static constexpr int kNoPreview = 1340;
    static constexpr int kOtherProfile = 1341;

    explicit DlgProfCuts(QWidget* owner = nullptr);

    // The dialog's own copy of the caller's record.
    DlgProfCutsData data;
    bool previewOn() const { return previewOn_; }
    // The index of the chosen cut, or -1.
    int currentIndex() const { return current_; }

    // The module's remembered preview flag: on when the module is loaded, and what a run that ended
    // with OK left.
    static bool rememberedPreview();
    static void setRememberedPreview(bool on);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onOK() override;
    void onDestroy() override;

private:
    void fillList();
    // Chooses the cut at index, kept to the list (none in an empty list), previewed when on.
    void select(int index);
    void chooseFromList();
    void deleteCut();
    void pickOtherProfile();
    void setPreview(bool on);

    bool previewOn_ = true;
    int current_ = -1;
};

// Runs the dialog on a copy of the record (the caller's record is not written back; the removed cuts
// are removed from the drawing). True when it ended with OK.
SS_EXPORT bool StartEditProfCutsDlg(DlgProfCutsData& data);
