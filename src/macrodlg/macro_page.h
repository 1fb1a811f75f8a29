#pragma once
// A page of the macro dialog (dlg_macro.h): one tab of the dialog's MacroData, shown in two ways at
// once - on the tab's designed template (designer_data.h) when it has one, and in a variable grid
// below it that lists every item the template does not show. Every change the person makes is
// written into the tab and applied to the macros of the drawing at once.
//
// MacroPage holds what every page shares (the profile page builds on it too): filling, the binding
// of template controls to the tab's items (macro_page_binding.cpp), the grid rows, storing and
// showing values (macro_page_values.cpp), applying, the cell buttons, the Tab cycle over template,
// grid and fixed controls, the focus memory, Escape and F12. A page kind adds its fixed controls
// (their ids in focus order) and what it shows in them. DlgMacroPage is the variable page (template
// 8137: plain, bolt and sub-macro tabs); other page kinds plug in through setMacroPageFactory.
//
// References. fill() clears every dialog reference of the tab, then each template control that binds
// records its child id in its item, and each item left without a control gets a grid row and records
// -row. A template control whose item is missing (or unusable for its type) is removed, so the item
// shows in the grid instead.
//
// Applying. applyChanges() stores the controls into the tab, and when anything differs from the
// tab as it was, writes it into the macros inside one host transaction: when the macros refuse it,
// the transaction is aborted (the drawing stays as it was) and the page shows the tab as it was
// before the change, so that what the page shows is always what the drawing holds.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "core/macro_data.h"
#include "designer/designer_data.h"
#include "module/export.h"
#include "spread/zrk_spread.h"
#include "ui/dialog.h"

class DlgMacro;

// Where the focus was on a page when the person left it, kept per tab name by the dialog.
struct MacroPageFocus {
    enum Kind { None, GridCell, Control };
    Kind kind = None;
    int id = 0;                     // Control: the control's id
    int column = 0, row = 0;        // GridCell
    int selStart = -1, selEnd = -1; // a bolt-count control's selection (-1: select all)
};

class SS_EXPORT MacroPage : public ui::Dialog {
public:
    // The grid's placeholder (the variable page's 1001; the profile page uses its own template's).
    static constexpr int kGridPlaceholder = 1001;
    // Fitting texts 968/969 to buttons: characters wider than this many pixels do not fit.
    static constexpr int kButtonCharWidth = 4;
    static constexpr const char* kFontName = "Verdana";

    MacroPage(int templateId, DlgMacro& owner, int tabIndex);
    ~MacroPage() override;

    DlgMacro& macroDialog() const { return owner_; }
    int tabIndex() const { return tabIndex_; }
    // The page's tab in the dialog's data (null when the data lost it).
    MacroTabData* tab() const;

    Zrk_DlgDesignerData designer; // the tab's template at run time
    Zrk_Spread grid;              // the items the template does not show
    bool hasBoltButton = false;   // the template has an advanced bolt button (type 12)
    bool ready = false;           // false while values are applied

    // --- what the dialog asks of a page ------------------------------------------------------------
    // The size the page wants (client pixels).
    virtual void wantedSize(int& width, int& height) const;
    // The controls into the tab, and the tab into the controls.
    virtual void storeValues();
    virtual void showValues();
    // The focus memory (kept by the dialog under the tab's name).
    void storeFocus();
    void restoreFocus();
    // The first field: the template's first control, else the grid's first free cell, else the first
    // fixed control.
    void setFirstFocus();
    // Stores the controls and writes what changed into the macros (see the top of this file). True
    // when the drawing changed.
    bool applyChanges();
    // Writes what differs between the tab and before (the tab as it was) into the macros, in one host
    // transaction; when nothing could be written the tab becomes before again and is shown. True
    // when the drawing changed.
    bool applyTabChange(const MacroTabData& before);
    // Places the grid below the picture (on every size change of the page).
    void placeGrid();

    // Shows a value in the control or grid cell of the tab's cell at that index, as typed there
    // (nothing is stored yet). False when the cell has neither, or the grid cell refuses the text.
    bool showCellValue(int cellIndex, const Zrk_String& value);

    // --- the cell buttons (types 25, 26) -------------------------------------------------------------
    // Runs the calculation of the cell button with that id: asks for the total and writes the parts.
    // False when it cannot compute (a missing cell, a read-only target, the varies text, n = 0) or
    // the person cancelled.
    bool runCellButton(int id);

    // The page's fixed controls in focus order (those of them the page has).
    virtual std::vector<int> fixedControls() const = 0;
    // The page's advanced settings (the profile page's advanced profile dialog), which the dialog opens
    // at start when its data asks for them. Pages without any do nothing.
    virtual void openAdvancedSettings() {}

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onNotify(int id, int code, const void* details) override;
    bool preTranslateKey(const ui::KeyPress& key) override;
    void onSize(int width, int height) override;
    void onEraseBackground(QPainter& painter) override;
    // The page's own initialisation before filling (texts of its fixed controls).
    virtual void initFixedControls() {}
    // After the grid rows: the page's fixed fields (bolt fields, flex buttons).
    virtual void fillFixedFields();
    // A command of the page's own fixed controls; true when handled.
    virtual bool onFixedCommand(int id, int code) { return false; }
    // The extra height the fixed controls take below the grid.
    virtual int extraHeight() const { return 0; }
    // A profile group's button or advanced button (types 14, 17): the profile page's.
    virtual bool onProfileGroupButton(int id, Zrk_ControlType type) { return false; }
    // The advanced bolt dialog on the tab's bolt record, each change applied at once.
    bool runAdvancedBolt();

    // Fills the page: references, template, grid rows, fixed fields.
    void fill();
    // Binds one template control to its item; false when the binding fails (the control is removed).
    bool bindControl(Zrk_DesignerControl& control);
    // The grid rows of the items without a control.
    void fillGrid();
    void setFlexButtons();
    bool isFixedControl(int id) const;

private:
    // Keys.
    enum Area { TemplateArea, GridArea, FixedArea, NoArea };
    Area areaOfFocus() const;
    Area areaOf(QWidget* focus) const;
    QWidget* focusInPage() const;
    bool enterArea(Area area, bool forward);
    bool cycleTab(bool shift);
    // Commands of template controls.
    bool onTemplateCommand(int id, int code);
    bool onGridButton(int row);
    bool runArrayDialog(int arrayIndex);
    bool runPatternDialog(int patternIndex);
    void openDesigner();
    Zrk_String fittedButtonText(const Zrk_DesignerControl& control, int textId) const;

    DlgMacro& owner_;
    int tabIndex_;
    // The grid row of each item shown in the grid: cell, pattern or array index by row.
    struct GridRow {
        enum Kind { Cell, Pattern, Array } kind = Cell;
        int index = 0;
    };
    std::vector<GridRow> rows_;
    // Section lists of the type-13 controls (system names) by control id.
    std::map<int, Zrk_StringArray> sectionLists_;
    int pictureWidth_ = 0, pictureHeight_ = 0;
    class Link;
    friend class Link;
};

// The variable page (template 8137): plain, bolt and sub-macro tabs. A bolt tab whose template has
// no advanced bolt button shows the bolt composition and diameter and the advanced button below the
// grid.
class SS_EXPORT DlgMacroPage : public MacroPage {
public:
    static constexpr int kTemplate = 8137;
    static constexpr int kCompositionLabel = 1109;
    static constexpr int kComposition = 1091;
    static constexpr int kDiameterLabel = 1110;
    static constexpr int kDiameter = 1092;
    static constexpr int kAdvanced = 1114;
    // The height the bolt fields take below the grid.
    static constexpr int kBoltFieldsHeight = 47;

    DlgMacroPage(DlgMacro& owner, int tabIndex);
    std::vector<int> fixedControls() const override;
    void storeValues() override;
    void showValues() override;

protected:
    void initFixedControls() override;
    void fillFixedFields() override;
    bool onFixedCommand(int id, int code) override;
    int extraHeight() const override;

private:
    bool showsBoltFields() const;
    void fillBoltFields();
    void placeBoltFields();
};

// The page a tab kind gets. The profile page registers itself for tab kind 2; until it does, and
// for kinds 0, 1 and 3, the variable page serves. Null for kinds outside 0-3 (no page).
using MacroPageFactory = std::function<std::unique_ptr<MacroPage>(DlgMacro& owner, int tabIndex)>;
SS_EXPORT void setMacroPageFactory(int tabKind, MacroPageFactory factory);
SS_EXPORT std::unique_ptr<MacroPage> makeMacroPage(DlgMacro& owner, int tabIndex, int tabKind);

namespace macrodlg {

// The cell-button calculation (types 25 and 26) on plain numbers. base = the base cell B, a = the
// target A's shown value, f = n (type 25) or C's value (type 26), c = C's value when type 25 has a
// control for C. total() is what the button offers; part(v) what A (and C) get for the total v.
// False from either when it cannot compute (type 25 with n = 0 divides by n).
struct CellButtonSum {
    int type = 25;
    double base = 0, a = 0, f = 0, c = 0;
    bool hasC = false;
    bool total(double& value) const;
    bool part(double typed, double& value) const;
};

// A label text of a template control through the macro-name table, at most 120 characters.
Zrk_String labelText(const Zrk_String& text);

// Rotations as the lists of the pages show them: "90" as "90\xB0", the varies text as it is; the
// lists offer the four right angles and the varies text. rotationOfText reads a shown or typed
// rotation back ("90\xB0", " 90 " and "90" are all "90").
Zrk_String rotationText(const Zrk_String& rotation);
Zrk_StringArray rotationItems();
Zrk_String rotationOfText(const Zrk_String& shown);

} // namespace macrodlg
