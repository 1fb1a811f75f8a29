#pragma once
// The desktop window's tree of the open drawing: its macros with their modules (variables with their
// values, cuts, patterns, placements), base profiles, general variables and standards; its profiles
// with their cuts; its building levels and coordinate systems. Each entry is a TreeObject, which says
// what it is and where its fields are, so that the window's actions know what they work on.
//
// The tree is made from the drawing file's own text (core::drawingText): what it shows, and the
// fields shown for an entry, are the fields of docs/drawing-format.md, under their names there.
// Rebuilding the tree after a change keeps the entries that were expanded and the selected one.

#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

#include "core/drawing.h"

namespace sshost::gui {

enum class TreeKind {
    None, // no entry selected: the actions on the whole drawing or the library
    Group, // "Macros", "Profiles", "Levels", "Coordinate systems"
    Macro,
    Module,
    Variable,
    Cut,
    Pattern,
    Placement,
    BaseProfile,
    GenVariable,
    Standard,
    Profile,
    ProfileCut,
    Level,
    CoordSystem,
};

struct TreeObject {
    TreeKind kind = TreeKind::None;
    AcDbObjectId owner;  // the macro or profile the entry is (or belongs to)
    Zrk_String module;   // the module (entries of a module)
    Zrk_String name;     // the entry's own name
    int index = -1;      // its place in its list (base profiles have no name)
    std::string pointer; // where its fields are in the drawing's text (a JSON pointer)
};

class DrawingTree {
public:
    explicit DrawingTree(QTreeWidget& view) : view_(view) {}

    // Shows the drawing (none: an empty tree), keeping what was expanded and selected.
    void show(const core::Drawing* drawing);
    // The selected entry (kind None when nothing is selected).
    TreeObject selected() const;
    TreeObject objectOf(const QTreeWidgetItem* item) const;
    // The entry whose label path is given ("Macros", "BasePlate1", "Plate", "Width = 300"); a label
    // matches when it starts with the text given. Null when there is none.
    QTreeWidgetItem* find(const std::vector<QString>& path) const;
    // The fields of an entry, in the file's order: name and value as a person reads them.
    std::vector<std::pair<QString, QString>> fields(const TreeObject& object) const;

private:
    QTreeWidgetItem* add(QTreeWidgetItem* parent, const QString& label, TreeObject object);

    QTreeWidget& view_;
    std::vector<TreeObject> objects_;
    std::string text_; // the drawing's text the tree was made from
};

} // namespace sshost::gui
