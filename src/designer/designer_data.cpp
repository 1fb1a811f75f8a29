#include "designer/designer_data.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/files.h"
#include "core/language.h"
#include "core/settings.h"
#include "core/text.h"
#include "designer/control_rect.h"
#include "designer/design_tracker.h"
#include "host/command_line.h"

namespace {

const Zrk_String kNrOfControls = "nrOfControls";

// '\' to '/', and "." and ".." resolved, so that the root-folder test sees where a path really leads.
Zrk_String lexicallyNormal(const Zrk_String& path) {
    if (path.empty()) return path;
    return std::filesystem::path(normalizePath(path)).lexically_normal().string();
}

bool startsWith(const Zrk_String& text, const Zrk_String& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

// --- the root folder ----------------------------------------------------------------------------------

Zrk_String getDesignerRootFolder() { return gSettings.libDir + "Dialog Templates/Dialog Design/"; }

void getModuleImages(Zrk_StringArray& names) {
    names.removeAll();
    const Zrk_String root = getDesignerRootFolder();
    Zrk_StringArray paths;
    if (!ObjectExportFindFilesRecursive(root, "*.txt", paths)) return;
    for (const Zrk_String& path : paths)
        if (startsWith(path, root)) names.append(changeExtension(path.substr(root.size()), ""));
    std::sort(names.begin(), names.end());
}

void GetImageDlgCtrlNames(const Zrk_String& path, Zrk_StringArray& names) {
    names.removeAll();
    Zrk_DlgDesignerData data;
    if (data.readFromFile(path, false)) data.getAllCtrlNames(names);
}

// --- life ---------------------------------------------------------------------------------------------

Zrk_DlgDesignerData::Zrk_DlgDesignerData() = default;

Zrk_DlgDesignerData::Zrk_DlgDesignerData(const Zrk_DlgDesignerData& other) { copyTemplate(other); }

Zrk_DlgDesignerData& Zrk_DlgDesignerData::operator=(const Zrk_DlgDesignerData& other) {
    if (this != &other) copyTemplate(other);
    return *this;
}

Zrk_DlgDesignerData::~Zrk_DlgDesignerData() = default;

void Zrk_DlgDesignerData::copyTemplate(const Zrk_DlgDesignerData& other) {
    // The binding to a dialog stays with the original: two objects creating windows with the same ids
    // in one dialog would fight over them.
    designMode_ = other.designMode_;
    picture_ = other.picture_;
    mask_ = other.mask_;
    shownPicture_ = other.shownPicture_;
    imageWidth_ = other.imageWidth_;
    imageHeight_ = other.imageHeight_;
    firstResourceId_ = other.firstResourceId_;
    lastResourceId_ = other.lastResourceId_;
    templateName_ = other.templateName_;
    controls_ = other.controls_;
}

// --- binding to a dialog --------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::initialize(ui::Dialog* dialog, int firstId, int lastId, int typeComboId, int contentsLabelId,
                                     int contentsEditId, int comboListLabelId, int comboListEditId, bool designMode) {
    if (!dialog) return false;
    dialog_ = dialog;
    firstResourceId_ = firstId;
    lastResourceId_ = lastId;
    designMode_ = designMode;
    initialized_ = true;
    if (!designMode) return true;

    if (!tracker_) tracker_ = std::make_unique<CDesignTracker>();
    tracker_->setHost(dialog);
    typeComboId_ = typeComboId;
    contentsLabelId_ = contentsLabelId;
    contentsEditId_ = contentsEditId;
    comboListLabelId_ = comboListLabelId;
    comboListEditId_ = comboListEditId;
    Zrk_StringArray names;
    designer::getControlTypeNames(names);
    dialog->comboResetContent(typeComboId);
    for (const Zrk_String& name : names) dialog->comboAddString(typeComboId, name);
    updatePropsOfCurSel();
    return true;
}

ui::Dialog* Zrk_DlgDesignerData::getDlgPtr() const { return initialized_ ? dialog_.data() : nullptr; }

// --- controls -----------------------------------------------------------------------------------------------

int Zrk_DlgDesignerData::append(Zrk_DesignerControl& c) {
    int id = 0;
    if (firstResourceId_ <= lastResourceId_) {
        // The lowest free id lies within the first N + 1 ids of the range.
        const long long range = static_cast<long long>(lastResourceId_) - firstResourceId_ + 1;
        const auto span = static_cast<std::size_t>(std::min<long long>(range, controls_.length() + 1LL));
        std::vector<bool> used(span, false);
        for (const Zrk_DesignerControl& control : controls_) {
            const long long offset = static_cast<long long>(control.resourceId) - firstResourceId_;
            if (offset >= 0 && offset < static_cast<long long>(span)) used[static_cast<std::size_t>(offset)] = true;
        }
        const auto free = std::find(used.begin(), used.end(), false);
        if (free != used.end()) id = firstResourceId_ + static_cast<int>(free - used.begin());
    }
    c.resourceId = id;
    controls_.append(c);
    return id;
}

bool Zrk_DlgDesignerData::addNewControl(Zrk_ControlType t) {
    Zrk_DesignerControl control;
    control.type = t;
    control.contents = dialString(171);
    control.topLeftX = 0.2;
    control.topLeftY = 0.2;
    control.bottomRightX = control.topLeftX + pixelsToFactor(true, 30.0);
    control.bottomRightY = control.topLeftY + pixelsToFactor(false, 18.0);
    append(control);
    if (getDlgPtr()) drawControl(controls_[controls_.length() - 1]);
    return true;
}

void Zrk_DlgDesignerData::removeControl(const int& index) { controls_.removeAt(index); }

const Zrk_DesignerControl* Zrk_DlgDesignerData::getControl(const int& index) const {
    return controls_.isValid(index) ? &controls_[index] : nullptr;
}

Zrk_DesignerControl* Zrk_DlgDesignerData::getControlWrite(const int& index) {
    return controls_.isValid(index) ? &controls_[index] : nullptr;
}

Zrk_DesignerControl* Zrk_DlgDesignerData::getControlFromRes(const int& id) {
    int index = -1;
    return findCtrlFromResource(id, index) ? &controls_[index] : nullptr;
}

bool Zrk_DlgDesignerData::findCtrlFromResource(const int& id, int& index) const {
    if (id <= 0) return false;
    for (int i = 0; i < controls_.length(); ++i) {
        if (controls_[i].resourceId == id) {
            index = i;
            return true;
        }
    }
    return false;
}

void Zrk_DlgDesignerData::getAllCtrlNames(Zrk_StringArray& names) const {
    names.removeAll();
    for (const Zrk_DesignerControl& control : controls_)
        if (control.type == ctCellEdit) names.append(control.contents);
}

// --- geometry -------------------------------------------------------------------------------------------------

double Zrk_DlgDesignerData::pixelsToFactor(bool horizontal, double pixels) const {
    const int size = horizontal ? imageWidth_ : imageHeight_;
    return size > 0 ? pixels / size : 0.0;
}

double Zrk_DlgDesignerData::factorToPixels(bool horizontal, double factor) const {
    return factor * (horizontal ? imageWidth_ : imageHeight_);
}

// --- picture --------------------------------------------------------------------------------------------------

void Zrk_DlgDesignerData::getImageSize(int& width, int& height) const {
    width = initialized_ ? imageWidth_ : 0;
    height = initialized_ ? imageHeight_ : 0;
}

void Zrk_DlgDesignerData::attachBitmap(const Zrk_String& path) {
    Zrk_String file;
    if (path.empty() || !findFileIgnoringCase(normalizePath(path), file)) return;
    imageWidth_ = 0;
    imageHeight_ = 0;
    picture_ = QImage();
    mask_ = QImage();
    shownPicture_ = QImage();

    // The bytes are read here, so that the file name's bytes reach the file system as they are.
    std::string bytes;
    QImage loaded;
    if (!readFileBytes(file, bytes) ||
        !loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())))
        return;

    QImage image = loaded.convertToFormat(QImage::Format_ARGB32);
    QImage mask(image.size(), QImage::Format_MonoLSB);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Seen over white, as a transparent part of a picture is meant to be.
            const QRgb pixel = line[x];
            const int alpha = qAlpha(pixel);
            auto over = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; };
            const QRgb opaque = qRgb(over(qRed(pixel)), over(qGreen(pixel)), over(qBlue(pixel)));
            if ((opaque & 0xFFFFFFu) == 0xFFFFFFu) {
                mask.setPixel(x, y, 1);
                line[x] = qRgb(0, 0, 0);
            } else {
                line[x] = opaque;
            }
        }
    }
    picture_ = image.convertToFormat(QImage::Format_RGB32);
    mask_ = mask;
    // What drawing the mask with AND and the picture with OR leaves: the picture, and the dialog where
    // the picture is white.
    shownPicture_ = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shownPicture_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shownPicture_.scanLine(y));
        for (int x = 0; x < shownPicture_.width(); ++x)
            if (mask_.pixelIndex(x, y) == 1) line[x] = qRgba(0, 0, 0, 0);
    }
    imageWidth_ = picture_.width();
    imageHeight_ = picture_.height();
}

// --- files ----------------------------------------------------------------------------------------------------

bool Zrk_DlgDesignerData::getNameFromFile(const Zrk_String& path, Zrk_String& name) const {
    const Zrk_String root = ensureEndSlash(lexicallyNormal(getDesignerRootFolder()));
    const Zrk_String full = lexicallyNormal(path);
    if (full.size() <= root.size() || !startsWith(full, root) || full.back() == '/') return false;
    const Zrk_String rest = changeExtension(full.substr(root.size()), "");
    if (rest.empty() || getFileName(rest).empty()) return false;
    name = rest;
    return true;
}

bool Zrk_DlgDesignerData::readFromFile(const Zrk_String& path, bool attachPicture, Zrk_String* message) {
    Zrk_String file, name;
    if (path.empty() || !findFileIgnoringCase(lexicallyNormal(path), file) || !getNameFromFile(file, name)) return false;

    Zrk_PropertiesList list;
    Zrk_String reason;
    int count = 0;
    if (list.readFromFile(file, &reason)) {
        if (list.hasProperty(kNrOfControls) && (!list.getProperty(kNrOfControls, count) || count < 0 || count > kMaxControls))
            reason = file + ": \"" + kNrOfControls + "\" must be a whole number from 0 to " + intToStr(kMaxControls);
    }
    if (!reason.empty()) {
        if (message) *message = reason;
        else acutPrintf("*Error* %s.\n", reason.c_str());
        return false;
    }

    templateName_ = name;
    controls_.removeAll();
    for (int i = 0; i < count; ++i) {
        Zrk_DesignerControl control;
        control.getFromPropList(list, i);
        append(control);
    }
    if (attachPicture) attachBitmap(changeExtension(file, "bmp"));
    return true;
}

bool Zrk_DlgDesignerData::writeToFile(const Zrk_String& path, Zrk_String* message) {
    const Zrk_String file = lexicallyNormal(path);
    Zrk_String name;
    if (!getNameFromFile(file, name)) {
        if (message)
            *message = file + " is not a template's file below the templates' folder " + getDesignerRootFolder() + ".";
        return false;
    }
    // The picture goes beside the file as "<name>.bmp": a template written under another extension
    // (that one, say) would be overwritten by it.
    if (!isEqual(getExtension(file), "txt", true)) {
        if (message) *message = file + ": a template's file ends in \".txt\".";
        return false;
    }

    // What the mouse moved is what gets saved.
    getSizeFromAllControls();
    Zrk_PropertiesList list;
    list.setProperty(kNrOfControls, controls_.length());
    for (int i = 0; i < controls_.length(); ++i) controls_[i].setToPropList(list, i);
    if (!writeFileAtomically(file, list.toText(), message)) return false;

    // The picture goes along to the new name; a template without one has nothing to copy.
    Zrk_String picture;
    const Zrk_String target = changeExtension(file, "bmp");
    if (!templateName_.empty() && findFileIgnoringCase(getDesignerRootFolder() + templateName_ + ".bmp", picture) &&
        lexicallyNormal(picture) != target)
        ObjectExportCopyFile(picture, target, true);
    templateName_ = name;
    return true;
}

// --- the designer's property fields ----------------------------------------------------------------------------

void Zrk_DlgDesignerData::updatePropsOfCurSel() {
    if (!initialized_ || !designMode_ || !tracker_ || !dialog_) return;
    const bool wasUpdating = updatingProps_;
    updatingProps_ = true;
    int index = -1;
    const int id = tracker_->getCurSel();
    if (findCtrlFromResource(id, index)) tracker_->select(id, true);
    else index = -1;
    updateProps(index);
    updatingProps_ = wasUpdating;
}

void Zrk_DlgDesignerData::updateProps(int index) {
    ui::Dialog* dialog = getDlgPtr();
    if (!dialog || !designMode_) return;
    const Zrk_DesignerControl* control = getControl(index);
    if (!control) {
        dialog->comboSetCurSel(typeComboId_, -1);
        for (int id : {contentsLabelId_, contentsEditId_, comboListLabelId_, comboListEditId_}) dialog->setItemText(id, "");
        for (int id : {typeComboId_, contentsLabelId_, contentsEditId_, comboListLabelId_, comboListEditId_})
            dialog->enableItem(id, false);
        return;
    }
    const int type = static_cast<int>(control->type);
    dialog->comboSetCurSel(typeComboId_, (type >= 0 && type < designer::kNrControlTypes) ? type : -1);
    dialog->setItemText(contentsLabelId_, designer::contentsLabel(control->type));
    dialog->setItemText(contentsEditId_, control->contents);
    for (int id : {typeComboId_, contentsLabelId_, contentsEditId_}) dialog->enableItem(id, true);
    const bool hasComboList = designer::hasComboListField(control->type);
    dialog->setItemText(comboListLabelId_, hasComboList ? designer::comboListLabel(control->type) : Zrk_String());
    dialog->setItemText(comboListEditId_, hasComboList ? control->getMergedExtComboList() : Zrk_String());
    dialog->enableItem(comboListLabelId_, hasComboList);
    dialog->enableItem(comboListEditId_, hasComboList);
}

bool Zrk_DlgDesignerData::readProps(int index) {
    ui::Dialog* dialog = getDlgPtr();
    Zrk_DesignerControl* control = getControlWrite(index);
    if (!dialog || !designMode_ || !control) return false;
    const int type = dialog->comboCurSel(typeComboId_);
    if (type >= 0 && type < designer::kNrControlTypes) control->type = static_cast<Zrk_ControlType>(type);
    control->contents = dialog->itemText(contentsEditId_);
    // A field out of use is empty: reading it would wipe what the control holds.
    if (dialog->isItemEnabled(comboListEditId_)) control->setSplitExtComboList(dialog->itemText(comboListEditId_));
    return true;
}

bool Zrk_DlgDesignerData::propsOfCurSelUpdated() {
    if (!tracker_ || !designMode_ || updatingProps_ || !getDlgPtr()) return false;
    const int index = getCurSel();
    if (index < 0) return false;
    const Zrk_DesignerControl before = controls_[index];
    if (!readProps(index)) return false;
    Zrk_DesignerControl& control = controls_[index];
    if (control.type != before.type) {
        const int id = control.resourceId;
        getSizeFromAllControls();
        redrawAndSelect({id});
        return true;
    }
    const bool textChanged = control.contents != before.contents;
    const bool paramsChanged = control.getMergedExtComboList() != before.getMergedExtComboList();
    if (textChanged || paramsChanged) showContents(control);
    return textChanged || paramsChanged;
}
