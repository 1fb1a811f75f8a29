// Resources by number: whose template a lookup finds, pictures from memory and from files.

#include <gtest/gtest.h>

#include "core/resource_override.h"
#include "core/settings.h"
#include "ui/resources.h"

namespace {

ui::DialogTemplate named(int id, const char* caption) { return ui::DialogTemplate(id, caption, 10, 10, {}); }

// Restores the current resource instance whatever a test did.
struct CurrentInstance {
    core::ModuleHandle saved = core::currentResourceInstance();
    ~CurrentInstance() { core::setCurrentResourceInstance(saved); }
};

} // namespace

TEST(Resources, TheResourceSwitchDecidesWhoseTemplateIsFound) {
    const CurrentInstance restore;
    static const int moduleA = 0, moduleB = 0;
    ui::ResourceSet a, b;
    a.addTemplate(named(7000, "A"));
    b.addTemplate(named(7000, "B"));
    b.addTemplate(named(7001, "only B"));

    ASSERT_TRUE(ui::initExtensionModule(&moduleA, a));
    ASSERT_TRUE(ui::initExtensionModule(&moduleB, b));
    EXPECT_FALSE(ui::initExtensionModule(&moduleA, b)); // already in the chain
    EXPECT_FALSE(ui::initExtensionModule(nullptr, a));

    core::setCurrentResourceInstance(nullptr); // the host: then the chain, in joining order
    EXPECT_EQ(ui::findTemplate(7000)->caption, "A");
    core::setCurrentResourceInstance(&moduleB);
    EXPECT_EQ(ui::findTemplate(7000)->caption, "B");

    KvTempResourceOverride resources;
    resources.SaveDefaultResource(&moduleA);
    ASSERT_TRUE(resources.SetDefaultResource());
    EXPECT_EQ(ui::findTemplate(7000)->caption, "A");
    EXPECT_EQ(ui::findTemplate(7001)->caption, "only B"); // others are still searched
    resources.RestoreOriginalResource();
    EXPECT_EQ(ui::findTemplate(7000)->caption, "B");

    // Switches of one module nest: each restore puts back what its own switch replaced, so the host
    // is current again after the outermost one.
    core::setCurrentResourceInstance(nullptr);
    ASSERT_TRUE(resources.SetDefaultResource());
    ASSERT_TRUE(resources.SetDefaultResource());
    resources.RestoreOriginalResource();
    EXPECT_EQ(core::currentResourceInstance(), &moduleA);
    resources.RestoreOriginalResource();
    EXPECT_EQ(core::currentResourceInstance(), nullptr);
    EXPECT_EQ(ui::findTemplate(7000)->caption, "A"); // the host's lookup: the chain in joining order
    core::setCurrentResourceInstance(&moduleB);

    ui::terminateExtensionModule(&moduleB);
    EXPECT_FALSE(ui::isExtensionModule(&moduleB));
    EXPECT_EQ(ui::findTemplate(7000)->caption, "A");
    EXPECT_EQ(ui::findTemplate(7001), nullptr);
    ui::terminateExtensionModule(&moduleA);
    ui::terminateExtensionModule(&moduleA); // twice is harmless
    EXPECT_EQ(ui::findTemplate(7000), nullptr);
}

TEST(Resources, PicturesComeFromMemoryOrFromThePictureFolder) {
    const CurrentInstance restore;
    static const int module = 0;
    ui::ResourceSet set;
    QImage red(4, 3, QImage::Format_ARGB32);
    red.fill(Qt::red);
    set.addBitmap(8134, red); // in memory it comes before the file
    set.setPictureFolder(core::resourceFolder());
    ASSERT_TRUE(ui::initExtensionModule(&module, set));
    core::setCurrentResourceInstance(&module);

    ui::Bitmap bitmap;
    EXPECT_TRUE(bitmap.isNull());
    ASSERT_TRUE(bitmap.loadBitmap(8134));
    EXPECT_EQ(bitmap.size(), QSize(4, 3));
    ASSERT_TRUE(bitmap.loadBitmap(8136)); // the module's drawn check box
    EXPECT_EQ(bitmap.size(), QSize(13, 13));
    EXPECT_FALSE(bitmap.loadBitmap(4711));
    EXPECT_TRUE(bitmap.isNull()); // a failed load leaves it empty
    bitmap.loadBitmap(8136);
    bitmap.deleteObject();
    EXPECT_TRUE(bitmap.isNull());
    EXPECT_TRUE(ui::loadIcon(4711).isNull());

    set.addIcon(148, red);
    EXPECT_FALSE(ui::loadIcon(148).isNull());

    // A module's own pictures, whatever is current.
    core::setCurrentResourceInstance(nullptr);
    QImage image;
    EXPECT_TRUE(ui::findBitmap(&module, 8134, image));
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_FALSE(ui::loadIcon(&module, 148).isNull());
    static const int stranger = 0;
    EXPECT_FALSE(ui::findBitmap(&stranger, 8134, image));
    ui::terminateExtensionModule(&module);
}
