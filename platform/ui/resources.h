#pragma once
// Resources by number: dialog templates, bitmaps and icons, and whose they are.
//
// Every module keeps its resources in a ResourceSet. A module becomes known to the framework by
// initialising itself as an extension library (initExtensionModule, at attach time), which puts its
// set in the framework's chain of libraries; terminateExtensionModule takes it out again (at detach).
// A lookup searches the set of the current resource instance first (core::currentResourceInstance(),
// which the resource switch KvTempResourceOverride sets; null is the host itself, hostResources()),
// then every library of the chain in the order they joined, and last the core library's own set
// (the templates of its dialogs: the report, the section chooser). So two modules may use the same
// number, and the resource switch decides whose resource is found.
//
// Pictures live as PNG files in the set's picture folder: "<folder>bitmaps/<number>.png" and
// "<folder>icons/<number>.png"; pictures added in memory (addBitmap, addIcon) come first.

#include <QIcon>
#include <QImage>
#include <map>

#include "core/resource_override.h"
#include "ui/dialog_template.h"

namespace ui {

class ResourceSet {
public:
    // A later template with the same number replaces the earlier one.
    void addTemplate(const DialogTemplate& dialogTemplate);
    const DialogTemplate* findTemplate(int id) const;

    // The folder (with its closing '/') that holds bitmaps/ and icons/.
    void setPictureFolder(const Zrk_String& folder) { pictureFolder_ = folder; }
    const Zrk_String& pictureFolder() const { return pictureFolder_; }
    void addBitmap(int id, const QImage& image) { bitmaps_[id] = image; }
    void addIcon(int id, const QImage& image) { icons_[id] = image; }
    // False when the set has no such picture (or its file cannot be read).
    bool findBitmap(int id, QImage& image) const;
    bool findIcon(int id, QImage& image) const;

private:
    std::map<int, DialogTemplate> templates_;
    std::map<int, QImage> bitmaps_;
    std::map<int, QImage> icons_;
    Zrk_String pictureFolder_;
};

// Puts a module's resources into the framework's chain of libraries. False, and nothing changes, when
// the instance is null or already in the chain. The set must live until terminateExtensionModule.
bool initExtensionModule(core::ModuleHandle instance, ResourceSet& resources);
// Takes the module out of the chain; nothing happens for an instance that is not in it.
void terminateExtensionModule(core::ModuleHandle instance);
bool isExtensionModule(core::ModuleHandle instance);

// The resources of the host application (the current instance null).
ResourceSet& hostResources();
// The core library's resources: the templates of its dialogs, found whoever's resources are current.
ResourceSet& coreLibraryResources();

// The lookups, in the order described above. Null / false / an empty icon when nobody has it.
const DialogTemplate* findTemplate(int id);
bool findBitmap(int id, QImage& image);
QIcon loadIcon(int id);
// The same in one library only (KvTempResourceOverride::GetDefaultResource names a module's own).
bool findBitmap(core::ModuleHandle instance, int id, QImage& image);
QIcon loadIcon(core::ModuleHandle instance, int id);

// A bitmap object: empty until a bitmap resource is loaded into it, emptied again on request.
class Bitmap {
public:
    // Loads the bitmap resource; false (and the object empty) when it is not found.
    bool loadBitmap(int id);
    // Empties the object.
    void deleteObject() { image_ = QImage(); }
    bool isNull() const { return image_.isNull(); }
    const QImage& image() const { return image_; }
    QSize size() const { return image_.size(); }

private:
    QImage image_;
};

} // namespace ui
