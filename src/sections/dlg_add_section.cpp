#include "sections/dlg_add_section.h"

#include "core/language.h"
#include "core/macro_langs.h"
#include "core/number_text.h"
#include "core/section_types.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"

namespace {

using ui::Kind;
namespace style = ui::style;
using D = DlgEditLibSimple;

constexpr int kRectangularHollowSection = 10;
constexpr int kDimensionRowHeight = 17; // dialog units from one row of dimension fields to the next
const Zrk_String kSizeKey = "DLG_EDITLIBSIMPLE";

// The dimension fields lie two to a row: odd letters left, even letters right.
std::vector<ui::ControlTemplate> controls() {
    std::vector<ui::ControlTemplate> all = {
        {D::kPicture, Kind::Picture, "", 7, 7, 70, 70, style::Sunken | style::Center},
        {D::kNameFromDimensions, Kind::RadioButton, "Name from the dimensions", 86, 9, 207, 10, style::Group},
        {D::kOwnName, Kind::RadioButton, "Own name", 86, 22, 207, 10},
        {D::kNameLabel, Kind::Static, "Name:", 86, 39, 207, 9},
        {D::kName, Kind::Edit, "", 86, 49, 207, 14},
        {D::kNoPattern, Kind::Static, "", 86, 66, 207, 18, style::Hidden},
    };
    for (int k = 1; k <= D::kMostDimensions; ++k) {
        const int x = (k % 2 == 1) ? 7 : 153;
        const int y = 92 + kDimensionRowHeight * ((k - 1) / 2);
        all.push_back({D::kFirstDimensionLabel + k - 1, Kind::Static, "", x, y + 2, 86, 9});
        all.push_back({D::kFirstDimension + k - 1, Kind::Edit, "", x + 88, y, 52, 14});
    }
    all.push_back({ui::IDOK, Kind::DefPushButton, "OK", 189, 200, 50, 14});
    all.push_back({ui::IDCANCEL, Kind::PushButton, "Cancel", 243, 200, 50, 14});
    return all;
}

const ui::DialogTemplate kAddSectionTemplate(D::kTemplate, "Add Section", 300, 221, controls());
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kAddSectionTemplate);

void setText(ui::Dialog& dialog, int id, const Zrk_String& text) {
    if (!text.empty()) dialog.setItemText(id, text);
}

} // namespace

bool DlgEditLibSimple::onInitDialog() {
    if (const Zrk_String title = dialString(796); !title.empty()) setTitle(title);
    setText(*this, kNameFromDimensions, dialString(1377));
    setText(*this, kOwnName, dialString(1378));
    setText(*this, kNameLabel, dialString(797) + ":");
    setText(*this, kNoPattern, dialString(1686));
    setItemImageFile(kPicture, core::sectionTypePicture(data.sectionType, Zrk_String(), true));

    templateRow_ = 0;
    if (!data.findSysName(sysName, templateRow_)) templateRow_ = 0;
    hasPattern_ = sections::findNamingPattern(data, templateRow_, pattern_);

    // The user's language among the table's language columns (the first when the table lacks it).
    const int languages = data.getNrLanguages();
    currentLanguage_ = 0;
    for (int l = 0; l < languages; ++l)
        if (2 + l < data.columnNames.length() && data.columnNames[2 + l] == MacroLangs::GetCurLanguage())
            currentLanguage_ = l;

    const Zrk_StringArray values = sections::dimensionsOf(data, templateRow_);
    const Zrk_StringArray labels = dimensionLabels();
    dimensionCount_ = std::min(values.length(), kMostDimensions);
    for (int k = 1; k <= kMostDimensions; ++k) {
        const bool shown = k <= dimensionCount_;
        showItem(kFirstDimensionLabel + k - 1, shown);
        showItem(kFirstDimension + k - 1, shown);
        if (!shown) continue;
        const Zrk_String label = labels.isValid(k - 1) ? labels[k - 1] : Zrk_String();
        setItemText(kFirstDimensionLabel + k - 1, getAlfabet(k) + ". " + label + ":");
        setItemText(kFirstDimension + k - 1, sections::shortNumberText(values[k - 1]));
    }
    // The dialog is as tall as the rows of fields it shows.
    const int unusedRows = (kMostDimensions + 1) / 2 - (dimensionCount_ + 1) / 2;
    if (unusedRows > 0) {
        const int shift = mapDialogRect(QRect(0, 0, 0, kDimensionRowHeight * unusedRows)).height();
        for (int id : {ui::IDOK, ui::IDCANCEL})
            moveItem(id, itemRect(id).translated(0, -shift));
        setFixedSize(width(), height() - shift);
    }

    ChangeDlgSize(this, kSizeKey);

    if (hasPattern_) {
        checkRadioButton(kNameFromDimensions, kOwnName, kNameFromDimensions);
        showProposedName();
        return true;
    }
    enableItem(kNameFromDimensions, false);
    checkRadioButton(kNameFromDimensions, kOwnName, kOwnName);
    showItem(kNoPattern, true);
    showProposedName();
    gotoDlgCtrl(kName);
    return false;
}

// A built-in type labels its dimensions with its value columns; a user-defined section's table with
// its own headers.
Zrk_StringArray DlgEditLibSimple::dimensionLabels() const {
    Zrk_StringArray labels;
    if (core::sectionTypeValueColumns(data.sectionType, labels)) return labels;
    for (int i = 2 + data.getNrLanguages(); i < data.columnNames.length(); ++i)
        labels.append(data.columnNames[i]);
    return labels;
}

Zrk_StringArray DlgEditLibSimple::typedDimensions() const {
    Zrk_StringArray dimensions;
    for (int k = 1; k <= dimensionCount_; ++k)
        dimensions.append(trimmed(itemText(kFirstDimension + k - 1)));
    return dimensions;
}

void DlgEditLibSimple::showProposedName() {
    const bool fromDimensions = checkState(kNameFromDimensions) == 1;
    setReadOnly(kName, fromDimensions);
    if (!fromDimensions) return;
    Zrk_String joined;
    sections::nameFromDimensions(pattern_, typedDimensions(), joined);
    const Zrk_String prefix =
        pattern_.prefixes.isValid(currentLanguage_) ? pattern_.prefixes[currentLanguage_] : "";
    setItemText(kName, prefix + joined);
}

bool DlgEditLibSimple::onCommand(int id, int code) {
    if ((id == kNameFromDimensions || id == kOwnName) && code == ui::BN_CLICKED) {
        showProposedName();
        return true;
    }
    if (id >= kFirstDimension && id < kFirstDimension + kMostDimensions && code == ui::EN_CHANGE) {
        showProposedName();
        return true;
    }
    return ui::Dialog::onCommand(id, code);
}

bool DlgEditLibSimple::refuse(const Zrk_String& text, int focusId) {
    messageBox(text, dialString(1098), ui::MB_OK | ui::MB_ICONEXCLAMATION);
    gotoDlgCtrl(focusId);
    return false;
}

void DlgEditLibSimple::onOK() {
    const Zrk_StringArray dimensions = typedDimensions();
    const bool fromDimensions = checkState(kNameFromDimensions) == 1;
    Zrk_String name;
    if (fromDimensions)
        sections::nameFromDimensions(pattern_, dimensions, name);
    else
        name = trimmed(itemText(kName));

    int existing = -1;
    if (name.empty()) return (void)refuse(dialString(1684), fromDimensions ? kFirstDimension : kName);
    if (name.find_first_of("\t\r\n") != Zrk_String::npos) return (void)refuse(dialString(1688), kName);
    if (data.findSysName(name, existing))
        return (void)refuse(dialString(1685) + " " + name + ".", fromDimensions ? kFirstDimension : kName);

    // A rectangular hollow section is bent: its corner radius (the fourth dimension) is 0 or exceeds
    // the wall thickness (the third).
    const BuiltInSectionType* type = core::builtInSectionTypeOf(data.sectionType);
    if (type && type->number == kRectangularHollowSection && dimensions.length() >= 4) {
        const double radius = core::toDouble(dimensions[3]);
        if (radius != 0 && radius <= core::toDouble(dimensions[2]))
            return (void)refuse(dialString(1457) + "\n" + dialString(1458) + "\n\n" + dialString(888) + ".",
                                kFirstDimension + 3);
    }

    Zrk_StringArray row = data.rows[templateRow_];
    const int languages = data.getNrLanguages();
    if (row.length() < 2 + languages) row.setLength(2 + languages);
    row[0] = name;
    row[1] = "1";
    for (int l = 0; l < languages; ++l)
        row[2 + l] = (fromDimensions && pattern_.prefixes.isValid(l) ? pattern_.prefixes[l] : "") + name;
    for (int k = 0; k < dimensions.length(); ++k) {
        double value = 0;
        row[2 + languages + k] =
            core::parseNumber(dimensions[k], value) ? sections::storedDimensionText(value) : dimensions[k];
    }

    newRowIndex = sections::insertionPlace(data, name);
    data.rows.insertAt(newRowIndex, row);
    newIndex = data.getfilteredIdx(newRowIndex);
    WriteDlgSize(this, kSizeKey);
    endDialog(ui::IDOK);
}

void DlgEditLibSimple::onCancel() {
    WriteDlgSize(this, kSizeKey);
    endDialog(ui::IDCANCEL);
}

bool StartDlgEditLibSimple(const Zrk_String& sysName, Zrk_ProfValuesTable& table, int& newIndex) {
    if (table.rows.isEmpty()) return false;
    DlgEditLibSimple dialog(sysName);
    dialog.data = table;
    if (frame::runModal(dialog, frame::Resources::CallerResources) != ui::IDOK) return false;
    table = dialog.data;
    newIndex = dialog.newIndex;
    return true;
}
