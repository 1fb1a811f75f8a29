#include "dialogs/dlg_grid.h"

#include "core/language.h"
#include "core/number_text.h"
#include "core/text.h"
#include "module/entry_function.h"
#include "module/module_resources.h"

namespace {

using ui::Kind;
using G = DlgGrid;

const ui::DialogTemplate
    kGridTemplate(G::kTemplate, "Structural grid", 270, 120,
                  {
                      {G::kFirstGroup, Kind::GroupBox, "First direction", 7, 7, 125, 72},
                      {G::kFirstCountLabel, Kind::Static, "Number of lines:", 13, 22, 62, 9},
                      {G::kFirstCount, Kind::Edit, "", 78, 20, 48, 14},
                      {G::kFirstSpacingLabel, Kind::Static, "Spacing:", 13, 40, 62, 9},
                      {G::kFirstSpacing, Kind::Edit, "", 78, 38, 48, 14},
                      {G::kFirstLabelLabel, Kind::Static, "First label:", 13, 58, 62, 9},
                      {G::kFirstLabel, Kind::Edit, "", 78, 56, 48, 14},
                      {G::kSecondGroup, Kind::GroupBox, "Second direction", 138, 7, 125, 72},
                      {G::kSecondCountLabel, Kind::Static, "Number of lines:", 144, 22, 62, 9},
                      {G::kSecondCount, Kind::Edit, "", 209, 20, 48, 14},
                      {G::kSecondSpacingLabel, Kind::Static, "Spacing:", 144, 40, 62, 9},
                      {G::kSecondSpacing, Kind::Edit, "", 209, 38, 48, 14},
                      {G::kSecondLabelLabel, Kind::Static, "First label:", 144, 58, 62, 9},
                      {G::kSecondLabel, Kind::Edit, "", 209, 56, 48, 14},
                      {G::kOption, Kind::CheckBox, "Labels at both ends of the lines", 7, 85, 256, 10},
                      {ui::IDOK, Kind::DefPushButton, "OK", 159, 100, 50, 14},
                      {ui::IDCANCEL, Kind::PushButton, "Cancel", 213, 100, 50, 14},
                  });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kGridTemplate);

} // namespace

DlgGrid::DlgGrid(QWidget* owner) : ui::Dialog(kTemplate, owner) {}

bool DlgGrid::onInitDialog() {
    if (const Zrk_String caption = dialString(1463); !caption.empty()) setTitle(caption);
    frame::setItemTextFromTable(*this, kFirstGroup, 1464);
    frame::setItemTextFromTable(*this, kSecondGroup, 1465);
    for (int id : {kFirstCountLabel, kSecondCountLabel})
        frame::setItemTextFromTable(*this, id, 1466);
    for (int id : {kFirstSpacingLabel, kSecondSpacingLabel})
        frame::setItemTextFromTable(*this, id, 1467);
    for (int id : {kFirstLabelLabel, kSecondLabelLabel})
        frame::setItemTextFromTable(*this, id, 1468);
    frame::setItemTextFromTable(*this, kOption, 1469);
    frame::setItemTextFromTable(*this, ui::IDOK, 1);
    frame::setItemTextFromTable(*this, ui::IDCANCEL, 2);

    setItemInt(kFirstCount, data.firstCount);
    setItemText(kFirstSpacing, data.firstSpacing);
    setItemText(kFirstLabel, data.firstLabel);
    setItemInt(kSecondCount, data.secondCount);
    setItemText(kSecondSpacing, data.secondSpacing);
    setItemText(kSecondLabel, data.secondLabel);
    setCheck(kOption, data.option ? 1 : 0);
    return true;
}

void DlgGrid::onOK() {
    data.firstCount = core::toInt(itemText(kFirstCount));
    data.firstSpacing = itemText(kFirstSpacing);
    data.firstLabel = itemText(kFirstLabel);
    data.secondCount = core::toInt(itemText(kSecondCount));
    data.secondSpacing = itemText(kSecondSpacing);
    data.secondLabel = itemText(kSecondLabel);
    data.option = checkState(kOption) == 1;
    endDialog(ui::IDOK);
}

bool StartDlgGrid(KvGridDlgData& data) {
    return frame::runModalOnCopy<DlgGrid>(data);
}

Zrk_String gridSummary(const KvGridDlgData& data) {
    return intToStr(data.firstCount) + " lines " + data.firstSpacing + " apart from " + data.firstLabel +
           ", " + intToStr(data.secondCount) + " lines " + data.secondSpacing + " apart from " +
           data.secondLabel + (data.option ? ", labels at both ends" : "");
}
