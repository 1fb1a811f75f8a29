#include "designer/dlg_designer.h"

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "core/language.h"
#include "designer/design_tracker.h"
#include "module/entry_function.h"
#include "module/module_resources.h"
#include "ui/dialog_size.h"
#include "ui/file_dialogs.h"

namespace {

using ui::Kind;

// The picture takes the left of the window, the panel the right; the panel follows the right edge
// when the window grows.
constexpr int kPanelX = 383;
constexpr int kButton = 41; // a bitmap button's width: three in a row, 3 units apart
const ui::DialogTemplate kDesignerTemplate(
    DlgDesigner::kTemplate, "Dialog designer", 520, 280, ui::dialogStyle::Resizable,
    {
        {DlgDesigner::kOpen, Kind::BitmapButton, "Open", kPanelX, 7, kButton, 16, 0, 232},
        {DlgDesigner::kSaveAs, Kind::BitmapButton, "Save as", kPanelX + 44, 7, kButton, 16, 0, 233},
        {DlgDesigner::kPicture, Kind::BitmapButton, "Picture", kPanelX + 88, 7, kButton, 16, 0, 231},
        {DlgDesigner::kAdd, Kind::BitmapButton, "Add", kPanelX, 26, kButton, 16, 0, 212},
        {DlgDesigner::kDelete, Kind::BitmapButton, "Delete", kPanelX + 44, 26, kButton, 16, 0, 206},
        {DlgDesigner::kCopy, Kind::BitmapButton, "Copy", kPanelX + 88, 26, kButton, 16, 0, 223},
        {DlgDesigner::kWidth, Kind::BitmapButton, "Width", kPanelX, 45, kButton, 16, 0, 235},
        {DlgDesigner::kHeight, Kind::BitmapButton, "Height", kPanelX + 44, 45, kButton, 16, 0, 236},
        {DlgDesigner::kAlignBottoms, Kind::PushButton, "_ _", kPanelX, 65, 63, 14},
        {DlgDesigner::kStickRight, Kind::PushButton, "| |", kPanelX + 67, 65, 63, 14},
        {DlgDesigner::kTypeFrame, Kind::GroupBox, "Type", kPanelX, 85, 130, 30},
        {DlgDesigner::kTypeCombo, Kind::DropListCombo, "", kPanelX + 6, 97, 118, 160},
        {DlgDesigner::kContentsLabel, Kind::GroupBox, "", kPanelX, 119, 130, 30},
        {DlgDesigner::kContentsEdit, Kind::Edit, "", kPanelX + 6, 131, 118, 13},
        {DlgDesigner::kComboListLabel, Kind::GroupBox, "", kPanelX, 153, 130, 30},
        {DlgDesigner::kComboListEdit, Kind::Edit, "", kPanelX + 6, 165, 118, 13},
        {ui::IDOK, Kind::DefPushButton, "Close", kPanelX, 259, 63, 14},
        {ui::IDCANCEL, Kind::PushButton, "Cancel", kPanelX + 67, 259, 63, 14},
    });
[[maybe_unused]] const bool kRegistered = frame::registerTemplate(kDesignerTemplate);

const char* const kSizeKey = "DLG_DLGDESIGNER";
constexpr int kIconId = 148;

// Texts: the window's own, then ours (tool tips and the messages of failed commands).
constexpr int kTextType = 836;
constexpr int kTextClose = 285;
constexpr int kTextAskCaption = 837;
constexpr int kTextAskSave = 838;
constexpr int kTextPictures = 839;
constexpr int kTextTemplates = 840;
constexpr int kTextOpenTitle = 841;
constexpr int kTextSaveTitle = 842;
constexpr int kTextTitle = 843;
constexpr int kTextNotSaved = 30014;
constexpr int kTextOutsideRoot = 30015;
constexpr int kTextNoPicture = 30016;
constexpr int kTextNotOpened = 30017;
constexpr int kTextPictureNotTaken = 30018;
constexpr int kTextNotAPicture = 30019;
constexpr int kTextNoSuchFile = 30020;

struct ToolTip {
    int id;
    int text;
};
constexpr ToolTip kToolTips[] = {
    {DlgDesigner::kOpen, 30004},       {DlgDesigner::kSaveAs, 30005},  {DlgDesigner::kAdd, 30006},
    {DlgDesigner::kDelete, 30007},     {DlgDesigner::kWidth, 30008},   {DlgDesigner::kHeight, 30009},
    {DlgDesigner::kCopy, 30010},       {DlgDesigner::kPicture, 30011}, {DlgDesigner::kAlignBottoms, 30012},
    {DlgDesigner::kStickRight, 30013},
};

// The panel stays at the right edge; its lower buttons at the bottom right corner.
constexpr int kPanelIds[] = {
    DlgDesigner::kOpen,          DlgDesigner::kSaveAs,       DlgDesigner::kPicture,
    DlgDesigner::kAdd,           DlgDesigner::kDelete,       DlgDesigner::kCopy,
    DlgDesigner::kWidth,         DlgDesigner::kHeight,       DlgDesigner::kAlignBottoms,
    DlgDesigner::kStickRight,    DlgDesigner::kTypeFrame,    DlgDesigner::kTypeCombo,
    DlgDesigner::kContentsLabel, DlgDesigner::kContentsEdit, DlgDesigner::kComboListLabel,
    DlgDesigner::kComboListEdit,
};

// Whether two paths name the same file (a link or a name written another way included).
bool sameFile(const Zrk_String& a, const Zrk_String& b) {
    std::error_code error;
    return std::filesystem::equivalent(core::osPath(a), core::osPath(b), error) && !error;
}

bool isPicture(const Zrk_String& path) {
    std::string bytes;
    QImage image;
    return readFileBytes(path, bytes) &&
           image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())) &&
           !image.isNull();
}

} // namespace

DlgDesigner::DlgDesigner(const Zrk_String& templatePath, QWidget* owner)
    : ui::Dialog(kTemplate, owner), initialPath_(templatePath) {}

bool DlgDesigner::onInitDialog() {
    data.initialize(this, Zrk_DlgDesignerData::kFirstControlId, Zrk_DlgDesignerData::kLastControlId,
                    kTypeCombo, kContentsLabel, kContentsEdit, kComboListLabel, kComboListEdit, true);
    setIconImage(kIconId);
    for (const ToolTip& tip : kToolTips)
        setItemToolTip(tip.id, dialString(tip.text));
    updateTitle();
    setItemText(kTypeFrame, dialString(kTextType));
    setItemText(ui::IDOK, dialString(kTextClose));
    setMinTrackSize(clientRect().size());
    resizer_.attach(this);
    for (int id : kPanelIds)
        resizer_.track(id, CResizer::Far | CResizer::Size, CResizer::Near | CResizer::Size);
    for (int id : {int(ui::IDOK), int(ui::IDCANCEL)})
        resizer_.track(id, CResizer::Far | CResizer::Size, CResizer::Far | CResizer::Size);
    ChangeDlgSize(this, kSizeKey);
    modified_ = false;

    Zrk_String file;
    if (!initialPath_.empty() && findFileIgnoringCase(normalizePath(initialPath_), file) &&
        data.readFromFile(file, true)) {
        showTemplate();
        modified_ = false;
        updateTitle();
    }
    if (!selection.empty()) {
        data.selectCtrls(selection);
        data.updatePropsOfCurSel();
    }
    return true;
}

// --- the title and the size --------------------------------------------------------------------------

void DlgDesigner::updateTitle() {
    Zrk_String title = dialString(kTextTitle);
    if (!data.getTemplateName().empty()) title += " - <" + data.getTemplateName() + ">";
    setTitle(title);
}

void DlgDesigner::fitToPicture() {
    int width = 0, height = 0;
    data.getImageSize(width, height);
    const int gap = mapDialogRect(QRect(0, 0, 7, 7)).width();
    const int panel = clientRect().width() - itemRect(kTypeFrame).left();
    const QSize needed(std::max(clientRect().width(), width + gap + panel),
                       std::max(clientRect().height(), height + gap));
    if (needed == clientRect().size()) return;
    resize(needed);
    resizer_.move();
}

void DlgDesigner::onSize(int, int) {
    resizer_.move();
    update();
}

void DlgDesigner::onDestroy() {
    WriteDlgSize(this, kSizeKey);
}

ui::FileDialogRequest DlgDesigner::templateFileRequest(ui::FileDialogRequest::Mode mode,
                                                       int titleText) const {
    const Zrk_String name = data.getTemplateName();
    ui::FileDialogRequest request;
    request.mode = mode;
    request.title = dialString(titleText);
    request.filterName = dialString(kTextTemplates) + " (*.txt)";
    request.extension = "txt";
    request.startFolder = getDesignerRootFolder() + (name.empty() ? Zrk_String() : getPath(name));
    return request;
}

void DlgDesigner::showTemplate() {
    data.redrawAllControls();
    fitToPicture();
    data.updatePropsOfCurSel();
    update();
}

// --- commands ------------------------------------------------------------------------------------------

bool DlgDesigner::onCommand(int id, int code) {
    if (id == kTypeCombo && code == ui::CBN_SELCHANGE) {
        markModified(data.propsOfCurSelUpdated());
        data.updatePropsOfCurSel();
        return true;
    }
    if ((id == kContentsEdit || id == kComboListEdit) && code == ui::EN_CHANGE) {
        markModified(data.propsOfCurSelUpdated());
        return true;
    }
    if (code != ui::BN_CLICKED) return ui::Dialog::onCommand(id, code);
    switch (id) {
    case kOpen:
        openTemplate();
        return true;
    case kSaveAs:
        saveAs();
        return true;
    case kPicture:
        choosePicture();
        return true;
    case kAdd: {
        // A control's place is a part of the picture's size: without a picture it would have none.
        int width = 0, height = 0;
        data.getImageSize(width, height);
        if (width <= 0 || height <= 0) {
            messageBox(dialString(kTextNoPicture), dialString(kTextTitle),
                       ui::MB_OK | ui::MB_ICONEXCLAMATION);
            return true;
        }
        data.addNewControl(ctCellEdit);
        data.selectCtrls({data.getControl(data.getNrControls() - 1)->resourceId});
        modified_ = true;
        break;
    }
    case kDelete: {
        const bool any = data.tracker() && !data.tracker()->getSelectedIds().empty();
        data.removeCurControls();
        update();
        markModified(any);
        break;
    }
    case kWidth:
    case kHeight:
        markModified(data.changeCtrlSize(id == kWidth));
        break;
    case kCopy:
        markModified(data.copyCurCtrls());
        break;
    case kAlignBottoms:
        markModified(data.outlineCurCtrls());
        break;
    case kStickRight:
        markModified(data.stickRightCurCtrls());
        break;
    default:
        return ui::Dialog::onCommand(id, code);
    }
    data.updatePropsOfCurSel();
    return true;
}

bool DlgDesigner::writeTemplate(const Zrk_String& path) {
    Zrk_String reason;
    if (!data.writeToFile(path, &reason)) {
        messageBox(dialString(kTextNotSaved) + "\n" + reason, dialString(kTextSaveTitle),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    modified_ = false;
    updateTitle();
    return true;
}

bool DlgDesigner::saveAs() {
    ui::FileDialogRequest request = templateFileRequest(ui::FileDialogRequest::Mode::Save, kTextSaveTitle);
    request.fileName = getFileName(data.getTemplateName());
    Zrk_String path;
    if (!ui::getSaveFileName(request, path, this)) return false;
    return writeTemplate(request.withDefaultExtension(path));
}

bool DlgDesigner::askToSave() {
    if (!modified_) return true;
    const Zrk_String name = data.getTemplateName();
    const int answer = messageBox(dialString(kTextAskSave) + "\n<" + name + ">", dialString(kTextAskCaption),
                                  ui::MB_YESNOCANCEL | ui::MB_ICONQUESTION);
    if (answer == ui::IDNO) return true;
    if (answer != ui::IDYES) return false;
    // A template without a name has no file yet: the person names it.
    if (name.empty()) return saveAs();
    return writeTemplate(getDesignerRootFolder() + name + ".txt");
}

bool DlgDesigner::openTemplate() {
    if (!askToSave()) return false;
    const ui::FileDialogRequest request =
        templateFileRequest(ui::FileDialogRequest::Mode::Open, kTextOpenTitle);
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, this)) return false;
    Zrk_String reason;
    if (!data.readFromFile(path, true, &reason)) {
        // The template in the window stays as it is.
        Zrk_String found;
        if (reason.empty())
            reason = findFileIgnoringCase(normalizePath(path), found)
                         ? dialString(kTextOutsideRoot) + "\n" + getDesignerRootFolder()
                         : dialString(kTextNoSuchFile) + "\n" + path;
        messageBox(dialString(kTextNotOpened) + "\n" + reason, dialString(kTextOpenTitle),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    showTemplate();
    modified_ = false;
    updateTitle();
    return true;
}

bool DlgDesigner::choosePicture() {
    ui::FileDialogRequest request;
    request.mode = ui::FileDialogRequest::Mode::Open;
    request.title = dialString(kTextOpenTitle);
    request.filterName = dialString(kTextPictures) + " (*.bmp)";
    request.extension = "bmp";
    request.startFolder = getDesignerRootFolder();
    Zrk_String path;
    if (!ui::getOpenFileName(request, path, this)) return false;
    path = normalizePath(path);
    // The template's picture is replaced only by a picture.
    if (!isPicture(path)) {
        messageBox(dialString(kTextNotAPicture) + "\n" + path, dialString(kTextOpenTitle),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    // The picture lies beside the template's file, under its name: a template needs a name first.
    if (data.getTemplateName().empty() && !saveAs()) return false;
    const Zrk_String target = getDesignerRootFolder() + data.getTemplateName() + ".bmp";
    // The template's own picture chosen again needs no copy (a copy onto itself could empty it).
    if (!sameFile(path, target) && !ObjectExportCopyFile(path, target, true)) {
        messageBox(dialString(kTextPictureNotTaken) + "\n" + target, dialString(kTextOpenTitle),
                   ui::MB_OK | ui::MB_ICONEXCLAMATION);
        return false;
    }
    // The controls keep their places as parts of the picture's size, whatever size the new one has.
    const std::vector<int> selected = data.tracker() ? data.tracker()->getSelectedIds() : std::vector<int>{};
    data.getSizeFromAllControls();
    data.attachBitmap(target);
    showTemplate();
    data.selectCtrls(selected);
    data.updatePropsOfCurSel();
    modified_ = true;
    return true;
}

// --- closing -------------------------------------------------------------------------------------------

void DlgDesigner::onOK() {
    if (askToSave()) endDialog(ui::IDOK);
}

void DlgDesigner::onClose() {
    if (askToSave()) endDialog(ui::IDCANCEL);
}

bool DlgDesigner::preTranslateKey(const ui::KeyPress& key) {
    // Escape does not close the designer: the work in it is too easily lost.
    return key.key == ui::VK_ESCAPE;
}

// --- the picture and the mouse -----------------------------------------------------------------------------

void DlgDesigner::onEraseBackground(QPainter& painter) {
    data.OnEraseBkgnd(painter);
}

void DlgDesigner::onPaint(QPainter& painter) {
    data.OnPaint(painter);
}

void DlgDesigner::onLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    data.OnLButtonDown(modifiers, point);
    data.updatePropsOfCurSel();
    modified_ = true;
}

void DlgDesigner::onMouseMove(const QPoint& point, Qt::MouseButtons) {
    data.OnMouseMove(point);
}

void DlgDesigner::onLButtonUp(const QPoint& point, Qt::KeyboardModifiers modifiers) {
    // A rubber band selects, and a drag moves, when the button comes up.
    if (data.OnLButtonUp(modifiers, point)) {
        data.updatePropsOfCurSel();
        modified_ = true;
    }
}

bool StartDlgDesigner(const Zrk_String& templatePath) {
    DlgDesigner dialog(templatePath);
    return frame::runModal(dialog) == ui::IDOK;
}
