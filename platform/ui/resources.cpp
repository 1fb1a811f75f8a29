#include "ui/resources.h"

#include <QPixmap>
#include <algorithm>
#include <utility>
#include <vector>

#include "core/files.h"

namespace ui {
namespace {

using Chain = std::vector<std::pair<core::ModuleHandle, ResourceSet*>>;

Chain& chain() {
    static Chain libraries;
    return libraries;
}

ResourceSet* setOf(core::ModuleHandle instance) {
    if (!instance) return &hostResources();
    for (const auto& [handle, set] : chain())
        if (handle == instance) return set;
    return nullptr;
}

// Calls find on the current instance's set, then on every library of the chain, until one answers.
template <typename Find> bool search(Find find) {
    const ResourceSet* current = setOf(core::currentResourceInstance());
    if (current && find(*current)) return true;
    for (const auto& [handle, set] : chain())
        if (set != current && find(*set)) return true;
    return &coreLibraryResources() != current && find(coreLibraryResources());
}

bool readPicture(const std::map<int, QImage>& inMemory, const Zrk_String& folder, const char* kind, int id,
                 QImage& image) {
    if (const auto it = inMemory.find(id); it != inMemory.end()) {
        image = it->second;
        return true;
    }
    if (folder.empty()) return false;
    const Zrk_String path = folder + kind + "/" + std::to_string(id) + ".png";
    std::string bytes;
    if (!readFileBytes(path, bytes)) return false;
    QImage loaded;
    if (!loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "PNG"))
        return false;
    image = loaded;
    return true;
}

} // namespace

void ResourceSet::addTemplate(const DialogTemplate& dialogTemplate) {
    templates_[dialogTemplate.id] = dialogTemplate;
}

const DialogTemplate* ResourceSet::findTemplate(int id) const {
    const auto it = templates_.find(id);
    return it == templates_.end() ? nullptr : &it->second;
}

bool ResourceSet::findBitmap(int id, QImage& image) const {
    return readPicture(bitmaps_, pictureFolder_, "bitmaps", id, image);
}

bool ResourceSet::findIcon(int id, QImage& image) const {
    return readPicture(icons_, pictureFolder_, "icons", id, image);
}

bool initExtensionModule(core::ModuleHandle instance, ResourceSet& resources) {
    if (!instance || isExtensionModule(instance)) return false;
    chain().emplace_back(instance, &resources);
    return true;
}

void terminateExtensionModule(core::ModuleHandle instance) {
    auto& libraries = chain();
    libraries.erase(std::remove_if(libraries.begin(), libraries.end(),
                                   [instance](const auto& entry) { return entry.first == instance; }),
                    libraries.end());
}

bool isExtensionModule(core::ModuleHandle instance) {
    return instance && std::any_of(chain().begin(), chain().end(),
                                   [instance](const auto& entry) { return entry.first == instance; });
}

ResourceSet& hostResources() {
    static ResourceSet host;
    return host;
}

ResourceSet& coreLibraryResources() {
    static ResourceSet core;
    return core;
}

const DialogTemplate* findTemplate(int id) {
    const DialogTemplate* found = nullptr;
    search([&](const ResourceSet& set) { return (found = set.findTemplate(id)) != nullptr; });
    return found;
}

bool findBitmap(int id, QImage& image) {
    return search([&](const ResourceSet& set) { return set.findBitmap(id, image); });
}

QIcon loadIcon(int id) {
    QImage image;
    if (!search([&](const ResourceSet& set) { return set.findIcon(id, image); })) return QIcon();
    return QIcon(QPixmap::fromImage(image));
}

bool findBitmap(core::ModuleHandle instance, int id, QImage& image) {
    const ResourceSet* set = setOf(instance);
    return set && set->findBitmap(id, image);
}

QIcon loadIcon(core::ModuleHandle instance, int id) {
    const ResourceSet* set = setOf(instance);
    QImage image;
    if (!set || !set->findIcon(id, image)) return QIcon();
    return QIcon(QPixmap::fromImage(image));
}

bool Bitmap::loadBitmap(int id) {
    QImage image;
    if (!findBitmap(id, image)) {
        image_ = QImage();
        return false;
    }
    image_ = image;
    return true;
}

} // namespace ui
