// A page's values: the grid rows of the items the template does not show, storing the controls into
// the tab and showing the tab in the controls, the flex buttons, and the cell buttons' calculation.

#include <cmath>

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "macrodlg/macro_page.h"
#include "ui/text_input.h"

namespace {

// Text 1324 of the grid's setting buttons.
constexpr int kTextSettings = 1324;
constexpr int kLabelColumn = 1, kButtonColumn = 2, kValueColumn = 3, kSecondColumn = 4;

bool validCount(const Zrk_String& text) {
    int count = -1;
    return Zrk_BoltPattern::getCount(text, count);
}

bool hasSecondCount(const MacroPatternData& pattern) {
    return pattern.hasSecondDirection() &&
           (validCount(pattern.nrBolts2) || pattern.nrBolts2 == core::variesText());
}

// A grid row's number of a reference (-row), or 0 for a template control or none.
int gridRow(int reference) {
    return reference < 0 ? -reference : 0;
}

// The text a kind-1 cell read from the grid is stored as: its number with 2 decimals. A number the
// grid shows rounded from the stored value stays the stored value, so that showing and storing a
// page never rounds a value nobody typed.
Zrk_String numberFromGrid(const Zrk_String& typed, const Zrk_String& stored) {
    double number = 0, before = 0;
    if (!core::parseNumber(typed, number)) return typed;
    const Zrk_String rounded = doubleToStr(number, 2);
    if (core::parseNumber(stored, before) && doubleToStr(before, 2) == rounded) return stored;
    return rounded;
}

} // namespace

// --- grid rows -----------------------------------------------------------------------------------------

void MacroPage::fillGrid() {
    MacroTabData* t = tab();
    rows_.clear();
    if (!t) return;
    for (int i = 0; i < t->cells.length(); ++i)
        if (t->cells[i].ctrl < 1) rows_.push_back({GridRow::Cell, i});
    if (t->kind == core::kTabBolt)
        for (int i = 0; i < t->patterns.length(); ++i) {
            const MacroPatternData& p = t->patterns[i];
            if (p.count1Ctrl < 1 || p.buttonCtrl < 1 || (hasSecondCount(p) && p.count2Ctrl < 1))
                rows_.push_back({GridRow::Pattern, i});
        }
    for (int i = 0; i < t->arrays.length(); ++i)
        if (t->arrays[i].valueCtrls[0] < 1) rows_.push_back({GridRow::Array, i});

    const int count = static_cast<int>(rows_.size());
    grid.setRedraw(false);
    grid.unmergeAll();
    grid.setNrRows(0);
    grid.setMaxCols(4);
    grid.setNrRows(count);
    grid.applyFonts();
    const Zrk_String settings =
        dialString(kTextSettings).empty() ? Zrk_String("...") : dialString(kTextSettings);
    for (int r = 1; r <= count; ++r) {
        const GridRow& row = rows_[static_cast<std::size_t>(r - 1)];
        grid.setStaticCells(kLabelColumn, r);
        grid.setCellLocked(kLabelColumn, r, true);
        if (row.kind == GridRow::Cell) {
            MacroCellData& cell = t->cells[row.index];
            if (cell.ctrl < 1) cell.ctrl = -r;
            grid.setCellText(kLabelColumn, r, cell.label.empty() ? cell.name : cell.label);
            grid.SSAddCellSpan(kLabelColumn, r, 2, 1);
            grid.SSAddCellSpan(kValueColumn, r, 2, 1);
            const bool varies = cell.value == core::variesText();
            if (cell.kind == core::kCellChoice || cell.kind == core::kCellEditableChoice) {
                Zrk_StringArray items = cell.choices;
                items.append(core::variesText());
                grid.setComboCells(kValueColumn, r, items, cell.kind == core::kCellEditableChoice);
            } else if (cell.kind == core::kCellCheckBox && !varies) {
                grid.setCheckBoxCell(kValueColumn, r);
            } else if ((cell.kind == core::kCellNumber || cell.kind == core::kCellWholeNumber) && !varies) {
                grid.setNumberCells(kValueColumn, r, cell.kind == core::kCellNumber ? 2 : 0);
            } else {
                // The varies text is no number: the cell shows it as text until a value is typed.
                grid.setTextCells(kValueColumn, r);
            }
            grid.setCellLocked(kValueColumn, r, cell.readOnly);
        } else if (row.kind == GridRow::Pattern) {
            MacroPatternData& pattern = t->patterns[row.index];
            // The pattern's references without a control are its grid row's.
            if (pattern.count1Ctrl < 1) pattern.count1Ctrl = -r;
            if (pattern.buttonCtrl < 1 && pattern.hasSettings) pattern.buttonCtrl = -r;
            if (pattern.count2Ctrl < 1 && hasSecondCount(pattern)) pattern.count2Ctrl = -r;
            grid.setCellText(kLabelColumn, r, pattern.name);
            if (pattern.hasSettings)
                grid.setButtonCells(kButtonColumn, r, settings);
            else
                grid.SSAddCellSpan(kLabelColumn, r, 2, 1);
            grid.setTextCells(kValueColumn, r);
            if (hasSecondCount(pattern))
                grid.setTextCells(kSecondColumn, r);
            else
                grid.SSAddCellSpan(kValueColumn, r, 2, 1);
        } else {
            DynArrayData& array = t->arrays[row.index];
            array.valueCtrls[0] = -r;
            if (array.buttonCtrl < 1) array.buttonCtrl = -r;
            grid.setCellText(kLabelColumn, r, array.name);
            grid.setButtonCells(kButtonColumn, r, settings);
            grid.setTextCells(kValueColumn, r);
            grid.SSAddCellSpan(kValueColumn, r, 2, 1);
        }
    }
    grid.setLayout(1);
    grid.applyLayout();
    grid.setVisible(count > 0);
    grid.setRedraw(true);
}

// --- storing -------------------------------------------------------------------------------------------

void MacroPage::storeValues() {
    MacroTabData* t = tab();
    if (!t) return;
    auto read = [&](int reference, int column, Zrk_String& value) {
        if (reference > 0) return designer.getCtrlValue(reference, value);
        if (reference < 0) return grid.getCellText(column, gridRow(reference), value);
        return false;
    };
    for (MacroCellData& cell : t->cells) {
        Zrk_String value;
        if (!read(cell.ctrl, kValueColumn, value)) continue;
        int index = -1;
        // A cell button (25, 26) shows its own text, never the cell's value.
        if (cell.ctrl > 0 && designer.findCtrlFromResource(cell.ctrl, index)) {
            const Zrk_ControlType type = designer.getControl(index)->type;
            if (type == ctCellButton || type == ctCellButton2) continue;
        }
        if (cell.readOnly) continue;
        if (cell.ctrl < 0 && cell.kind == core::kCellNumber) value = numberFromGrid(value, cell.value);
        cell.value = value;
    }
    for (MacroCutData& cut : t->cuts) {
        Zrk_String value;
        if (cut.ctrl > 0 && designer.getCtrlValue(cut.ctrl, value) && !value.empty()) {
            double number = 0;
            if (core::parseNumber(value, number) && number >= -1 && number <= 4)
                cut.cutType = static_cast<int>(number);
        }
    }
    for (MacroPatternData& pattern : t->patterns) {
        Zrk_String value;
        if (read(pattern.count1Ctrl, kValueColumn, value)) pattern.nrBolts1 = value;
        if (hasSecondCount(pattern) && read(pattern.count2Ctrl, kSecondColumn, value))
            pattern.nrBolts2 = value;
    }
    if (MacroBoltData* bolt = t->getBoltData())
        for (int number = 1; number <= 5; ++number) {
            Zrk_String value;
            const int reference = t->boltRefs.valueCtrls[static_cast<std::size_t>(number - 1)];
            if (reference > 0 && designer.getCtrlValue(reference, value)) *bolt->value(number) = value;
        }
    for (MacroProfData& group : t->profGroups) {
        MacroProfProps props = group.merged;
        bool changed = false;
        Zrk_String shown;
        if (group.sectionCtrl > 0 && designer.getCtrlValue(group.sectionCtrl, shown) &&
            shown != core::variesText()) {
            const int selected = comboCurSel(group.sectionCtrl);
            const Zrk_StringArray& systemNames = sectionLists_[group.sectionCtrl];
            if (systemNames.isValid(selected) && systemNames[selected] != props.sectionName) {
                props.sectionName = systemNames[selected];
                changed = true;
            }
        }
        if (group.offsetTypeCtrl > 0 && designer.getCtrlValue(group.offsetTypeCtrl, shown) &&
            shown != core::variesText()) {
            const int type = core::getProfOffsetType(comboCurSel(group.offsetTypeCtrl));
            if (type >= 0 && type != props.offsetType) {
                props.offsetType = type;
                changed = true;
            }
        }
        if (group.rotationCtrl > 0 && designer.getCtrlValue(group.rotationCtrl, shown) &&
            shown != core::variesText() && shown != macrodlg::rotationText(props.rotation)) {
            const Zrk_String rotation = macrodlg::rotationOfText(shown);
            if (!rotation.empty() && rotation != props.rotation) {
                props.rotation = rotation;
                changed = true;
            }
        }
        if (changed) t->setMergedPropsOfGroup(group.groupName, props);
    }
    for (DynArrayData& array : t->arrays) {
        for (std::size_t v = 0; v < array.values.size(); ++v) {
            Zrk_String value;
            const int reference = array.valueCtrls[v];
            if (reference > 0
                    ? designer.getCtrlValue(reference, value)
                    : v == 0 && reference < 0 && grid.getCellText(kValueColumn, gridRow(reference), value))
                array.values[v] = value;
        }
        for (DynArrayEntry& entry : array.entries) {
            Zrk_String value;
            if (entry.ctrl > 0 && designer.getCtrlValue(entry.ctrl, value)) entry.text = value;
        }
    }
}

// --- showing -------------------------------------------------------------------------------------------

void MacroPage::setFlexButtons() {
    MacroTabData* t = tab();
    if (!t) return;
    Zrk_StringArray groups;
    designer.getFlexBtnsGroups(groups);
    for (const Zrk_FlexFixGroup& group : t->flexGroups) {
        if (!groups.contains(group.name)) continue;
        // A pressed button marks the entry that gives way (the flexible one).
        for (const Zrk_FlexFixEntry& entry : group.entries)
            designer.setFlexBtnStatus(group.name, entry.variable, entry.flexible ? 1 : 0);
    }
}

void MacroPage::showValues() {
    MacroTabData* t = tab();
    if (!t) return;
    const bool wasReady = ready;
    ready = false;
    setFlexButtons();
    auto show = [&](int reference, int column, const Zrk_String& value) {
        if (reference > 0) designer.setCtrlValue(reference, value);
        if (reference < 0) grid.setCellText(column, gridRow(reference), value);
    };
    for (const MacroCellData& cell : t->cells) {
        if (cell.ctrl > 0) {
            designer.setCtrlValue(cell.ctrl, cell.value);
            designer.setCtrlReadOnly(cell.ctrl, cell.readOnly);
        } else if (cell.ctrl < 0) {
            grid.setCellText(kValueColumn, gridRow(cell.ctrl), cell.value);
        }
    }
    for (const MacroCutData& cut : t->cuts)
        if (cut.ctrl > 0) designer.setCtrlValue(cut.ctrl, intToStr(cut.cutType));
    for (const MacroPatternData& pattern : t->patterns) {
        show(pattern.count1Ctrl, kValueColumn, pattern.nrBolts1);
        if (hasSecondCount(pattern)) show(pattern.count2Ctrl, kSecondColumn, pattern.nrBolts2);
    }
    if (const MacroBoltData* bolt = t->boltData ? &*t->boltData : nullptr)
        for (int number = 1; number <= 5; ++number) {
            const int reference = t->boltRefs.valueCtrls[static_cast<std::size_t>(number - 1)];
            if (reference > 0) designer.setCtrlValue(reference, *bolt->value(number));
        }
    for (const MacroProfData& group : t->profGroups) {
        const MacroProfProps& props = group.merged;
        if (group.sectionCtrl > 0) {
            const Zrk_StringArray& systemNames = sectionLists_[group.sectionCtrl];
            const int at = systemNames.find(props.sectionName);
            comboSetCurSel(group.sectionCtrl, at >= 0 ? at : comboCount(group.sectionCtrl) - 1);
        }
        if (group.offsetTypeCtrl > 0) {
            const int at = core::getDlgOffsetType(props.offsetType);
            comboSetCurSel(group.offsetTypeCtrl, at >= 0 ? at : comboCount(group.offsetTypeCtrl) - 1);
        }
        if (group.rotationCtrl > 0)
            designer.setCtrlValue(group.rotationCtrl, macrodlg::rotationText(props.rotation));
    }
    for (const DynArrayData& array : t->arrays) {
        for (std::size_t v = 0; v < array.values.size(); ++v)
            if (array.valueCtrls[v] > 0 || (v == 0 && array.valueCtrls[v] < 0))
                show(array.valueCtrls[v], kValueColumn, array.values[v]);
        for (const DynArrayEntry& entry : array.entries)
            if (entry.ctrl > 0) designer.setCtrlValue(entry.ctrl, entry.text);
    }
    if (t->subMacroCtrl > 0) {
        Zrk_String name = t->subMacro;
        const auto slash = name.find_last_of("/\\");
        if (slash != Zrk_String::npos) name = name.substr(slash + 1);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dwg") == 0) name.resize(name.size() - 4);
        designer.setCtrlValue(t->subMacroCtrl, name);
    }
    ready = wasReady;
}

bool MacroPage::showCellValue(int cellIndex, const Zrk_String& value) {
    MacroTabData* t = tab();
    if (!t || !t->cells.isValid(cellIndex)) return false;
    const int reference = t->cells[cellIndex].ctrl;
    if (reference > 0) return designer.setCtrlValue(reference, value);
    if (reference < 0) return grid.setCellText(kValueColumn, gridRow(reference), value);
    return false;
}

// --- the cell buttons ----------------------------------------------------------------------------------

namespace macrodlg {

bool CellButtonSum::total(double& value) const {
    if (type == 25) {
        // The button splits a total over n parts: no parts, nothing to split.
        if (f == 0) return false;
        value = hasC ? base + a + c : base + a / f;
    } else {
        value = base + a + f;
    }
    return std::isfinite(value);
}

bool CellButtonSum::part(double typed, double& value) const {
    if (type == 25) {
        if (f == 0) return false;
        value = f * (typed - base);
    } else {
        value = typed - base - f;
    }
    return std::isfinite(value);
}

} // namespace macrodlg

bool MacroPage::runCellButton(int id) {
    MacroTabData* t = tab();
    int index = -1;
    if (!t || !designer.findCtrlFromResource(id, index)) return false;
    const Zrk_DesignerControl control = *designer.getControl(index);
    if (control.type != ctCellButton && control.type != ctCellButton2) return false;

    // A parameter with a leading '-' names a cell whose value counts negated.
    auto cellOf = [&](Zrk_String name, bool& negated) -> const MacroCellData* {
        negated = !name.empty() && name[0] == '-';
        if (negated) name.erase(0, 1);
        int at = -1;
        return t->findCellWithName(trimmed(name), at) ? &t->cells[at] : nullptr;
    };
    auto shownNumber = [&](const MacroCellData& cell, double& value) {
        Zrk_String text;
        if (cell.ctrl > 0   ? !designer.getCtrlValue(cell.ctrl, text)
            : cell.ctrl < 0 ? !grid.getCellText(kValueColumn, -cell.ctrl, text)
                            : true)
            text = cell.value;
        return text != core::variesText() && core::parseNumber(text, value);
    };
    auto showNumber = [&](const MacroCellData& cell, double value) {
        const Zrk_String text = doubleToStr(value, 5);
        if (cell.ctrl > 0) designer.setCtrlValue(cell.ctrl, text);
        if (cell.ctrl < 0) grid.setCellText(kValueColumn, -cell.ctrl, text);
    };

    bool negA = false, negC = false, negB = false;
    const MacroCellData* b = cellOf(control.cellButtonParams[0], negB);
    const MacroCellData* a = cellOf(control.cellButtonParams[1], negA);
    const MacroCellData* c = cellOf(control.cellButtonParams[2], negC);
    macrodlg::CellButtonSum sum;
    sum.type = control.type == ctCellButton ? 25 : 26;
    if (!b || b->value == core::variesText() || !core::parseNumber(b->value, sum.base)) return false;
    if (!a || a->readOnly || a->ctrl == 0 || !shownNumber(*a, sum.a)) return false;
    if (negA) sum.a = -sum.a;
    sum.hasC = c && c->ctrl != 0;
    if (sum.type == 25) {
        if (!core::parseNumber(control.cellButtonParams[3], sum.f)) return false;
        if (sum.hasC) {
            if (c->readOnly || !shownNumber(*c, sum.c)) return false;
            if (negC) sum.c = -sum.c;
        }
    } else {
        if (!sum.hasC || !shownNumber(*c, sum.f)) return false;
        if (negC) sum.f = -sum.f;
    }
    double total = 0;
    if (!sum.total(total)) return false;

    ui::TextInput input;
    input.title = dialString(971);
    input.label = dialString(1321) + "\n" + dialString(1322);
    input.value = doubleToStr(total, 5);
    input.okCaption = dialString(1);
    input.cancelCaption = dialString(2);
    double typed = 0, part = 0;
    if (!ui::inputText(input, this) || !core::parseNumber(input.value, typed) || !sum.part(typed, part))
        return false;
    showNumber(*a, negA ? -part : part);
    if (sum.type == 25 && sum.hasC) showNumber(*c, negC ? -part : part);
    applyChanges();
    return true;
}
