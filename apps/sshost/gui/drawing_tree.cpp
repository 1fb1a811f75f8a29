#include "sshost/gui/drawing_tree.h"

#include <QSet>
#include <nlohmann/json.hpp>

#include "core/codepage.h"

namespace sshost::gui {
namespace {

using Json = nlohmann::ordered_json;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Numbers as a person writes them: 300, 12.5 (the file writes 300.0).
std::string numberText(const Json& value) {
    if (!value.is_number_float()) return value.dump();
    return QString::number(value.get<double>(), 'g', 15).toStdString();
}

// A value as a person reads it: texts without quotes, numbers as the file writes them.
QString valueText(const Json& value) {
    if (value.is_string()) return text(value.get<std::string>());
    if (value.is_boolean()) return value.get<bool>() ? QStringLiteral("yes") : QStringLiteral("no");
    if (value.is_array()) {
        bool scalars = true;
        for (const Json& element : value)
            scalars = scalars && !element.is_structured();
        if (!scalars)
            return value.size() == 1 ? QStringLiteral("1 entry")
                                     : QStringLiteral("%1 entries").arg(value.size());
        QStringList parts;
        for (const Json& element : value)
            parts << valueText(element);
        return parts.join(QStringLiteral(", "));
    }
    if (value.is_object()) {
        QString dumped = text(value.dump());
        if (dumped.size() > 200) dumped = dumped.left(199) + QChar(0x2026);
        return dumped;
    }
    return text(numberText(value));
}

std::string field(const Json& object, const char* name) {
    const auto it = object.find(name);
    if (it == object.end()) return {};
    return it->is_string() ? it->get<std::string>() : numberText(*it);
}

const Json& list(const Json& object, const char* name) {
    static const Json empty = Json::array();
    const auto it = object.find(name);
    return it != object.end() && it->is_array() ? *it : empty;
}

QString moduleKind(int kind) {
    switch (kind) {
    case 232:
        return QStringLiteral(" (bolts)");
    case 233:
        return QStringLiteral(" (profiles)");
    case 234:
        return QStringLiteral(" (sub-macro)");
    default:
        return {};
    }
}

// What stays the same for an entry when the drawing changes: its kind and place.
QString itemKey(const QTreeWidgetItem* item) {
    return item->data(0, Qt::UserRole + 1).toString();
}

} // namespace

QTreeWidgetItem* DrawingTree::add(QTreeWidgetItem* parent, const QString& label, TreeObject object) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&view_);
    item->setText(0, label);
    item->setData(0, Qt::UserRole, static_cast<int>(objects_.size()));
    item->setData(0, Qt::UserRole + 1, QString::number(static_cast<int>(object.kind)) + text(object.pointer));
    objects_.push_back(std::move(object));
    return item;
}

void DrawingTree::show(const core::Drawing* drawing) {
    // What the person had open and selected, to find again.
    QSet<QString> expanded;
    for (QTreeWidgetItemIterator it(&view_); *it; ++it)
        if ((*it)->isExpanded()) expanded.insert(itemKey(*it));
    const QString selectedKey = view_.currentItem() ? itemKey(view_.currentItem()) : QString();
    const bool firstShow = objects_.empty();

    view_.clear();
    objects_.clear();
    text_ = drawing ? core::drawingText(drawing->content()) : std::string();
    if (!drawing) return;
    const Json root = Json::parse(text_, nullptr, false);
    if (root.is_discarded()) return;

    auto group = [&](const char* label, const char* name) {
        return add(nullptr, QStringLiteral("%1 (%2)").arg(label).arg(list(root, name).size()),
                   {TreeKind::Group, {}, {}, name, -1, std::string("/") + name});
    };

    QTreeWidgetItem* macros = group("Macros", "macros");
    const Json& macroList = list(root, "macros");
    for (std::size_t m = 0; m < macroList.size(); ++m) {
        const Json& macro = macroList[m];
        const std::string at = "/macros/" + std::to_string(m);
        const AcDbObjectId id(macro.value("id", std::int64_t(0)));
        const Zrk_String name = core::fromUtf8(field(macro, "name"));
        QTreeWidgetItem* macroItem =
            add(macros, text(field(macro, "name")) + QStringLiteral("  #") + text(field(macro, "id")),
                {TreeKind::Macro, id, {}, name, static_cast<int>(m), at});
        const Json& modules = list(macro, "modules");
        for (std::size_t i = 0; i < modules.size(); ++i) {
            const Json& module = modules[i];
            const std::string moduleAt = at + "/modules/" + std::to_string(i);
            const Zrk_String moduleName = core::fromUtf8(field(module, "name"));
            QString label = text(field(module, "name"));
            if (module.contains("group") && field(module, "group") != field(module, "name"))
                label += QStringLiteral(" [") + text(field(module, "group")) + QStringLiteral("]");
            label += moduleKind(module.value("kind", 0));
            QTreeWidgetItem* moduleItem =
                add(macroItem, label,
                    {TreeKind::Module, id, moduleName, moduleName, static_cast<int>(i), moduleAt});
            auto entries = [&](const char* listName, TreeKind kind, auto labelOf) {
                const Json& entries = list(module, listName);
                for (std::size_t e = 0; e < entries.size(); ++e)
                    add(moduleItem, labelOf(entries[e]),
                        {kind, id, moduleName, core::fromUtf8(field(entries[e], "name")), static_cast<int>(e),
                         moduleAt + "/" + listName + "/" + std::to_string(e)});
            };
            entries("variables", TreeKind::Variable, [](const Json& v) {
                return text(field(v, "name")) + QStringLiteral(" = ") + text(field(v, "value"));
            });
            entries("cuts", TreeKind::Cut, [](const Json& c) {
                return QStringLiteral("cut ") + text(field(c, "name")) +
                       QStringLiteral(" (type %1)").arg(c.value("type", 1));
            });
            entries("patterns", TreeKind::Pattern, [](const Json& p) {
                QString label = QStringLiteral("pattern ") + text(field(p, "name")) + QStringLiteral(": ") +
                                text(field(p, "nrBolts1"));
                if (p.value("kind", 281) == 282) label += QStringLiteral(" x ") + text(field(p, "nrBolts2"));
                return label;
            });
            entries("placements", TreeKind::Placement, [](const Json& p) {
                return QStringLiteral("placement ") + text(field(p, "name")) + QStringLiteral(": ") +
                       text(field(p, "section"));
            });
        }
        const Json& bases = list(macro, "baseProfiles");
        for (std::size_t b = 0; b < bases.size(); ++b)
            add(macroItem,
                QStringLiteral("Prof%1: ").arg(b) + text(field(bases[b], "section")) + QStringLiteral(" ") +
                    text(field(bases[b], "material")),
                {TreeKind::BaseProfile,
                 id,
                 {},
                 {},
                 static_cast<int>(b),
                 at + "/baseProfiles/" + std::to_string(b)});
        const Json& genVars = list(macro, "generalVariables");
        for (std::size_t g = 0; g < genVars.size(); ++g)
            add(macroItem,
                text(field(genVars[g], "name")) + QStringLiteral(" = ") + text(field(genVars[g], "value")),
                {TreeKind::GenVariable,
                 id,
                 {},
                 core::fromUtf8(field(genVars[g], "name")),
                 static_cast<int>(g),
                 at + "/generalVariables/" + std::to_string(g)});
        if (macro.contains("settings")) {
            const Json& standards = list(macro["settings"], "standards");
            for (std::size_t s = 0; s < standards.size(); ++s) {
                QString label = QStringLiteral("standard ") + text(field(standards[s], "sheet"));
                if (!field(standards[s], "mapping").empty())
                    label += QStringLiteral(" -> ") + text(field(standards[s], "mapping"));
                add(macroItem, label,
                    {TreeKind::Standard,
                     id,
                     {},
                     core::fromUtf8(field(standards[s], "sheet")),
                     static_cast<int>(s),
                     at + "/settings/standards/" + std::to_string(s)});
            }
        }
    }

    QTreeWidgetItem* profiles = group("Profiles", "profiles");
    const Json& profileList = list(root, "profiles");
    for (std::size_t p = 0; p < profileList.size(); ++p) {
        const Json& profile = profileList[p];
        const std::string at = "/profiles/" + std::to_string(p);
        const AcDbObjectId id(profile.value("id", std::int64_t(0)));
        QTreeWidgetItem* item =
            add(profiles,
                text(field(profile, "name")) + QStringLiteral(": ") + text(field(profile, "section")) +
                    QStringLiteral(" ") + text(field(profile, "material")) + QStringLiteral("  #") +
                    text(field(profile, "id")),
                {TreeKind::Profile, id, {}, core::fromUtf8(field(profile, "name")), static_cast<int>(p), at});
        const Json& cuts = list(profile, "cuts");
        for (std::size_t c = 0; c < cuts.size(); ++c)
            add(item,
                QStringLiteral("cut ") + text(field(cuts[c], "name")) +
                    QStringLiteral(" (type %1)").arg(cuts[c].value("type", 1)),
                {TreeKind::ProfileCut,
                 id,
                 {},
                 core::fromUtf8(field(cuts[c], "name")),
                 static_cast<int>(c),
                 at + "/cuts/" + std::to_string(c)});
    }

    QTreeWidgetItem* levels = group("Levels", "levels");
    const Json& levelList = list(root, "levels");
    for (std::size_t l = 0; l < levelList.size(); ++l) {
        const Json& level = levelList[l];
        QString label = text(field(level, "name")) + QStringLiteral(" = ") +
                        (level.contains("value") ? text(field(level, "value")) : QStringLiteral("0"));
        if (!field(level, "reference").empty())
            label += QStringLiteral(" above ") + text(field(level, "reference"));
        add(levels, label,
            {TreeKind::Level,
             {},
             {},
             core::fromUtf8(field(level, "name")),
             static_cast<int>(l),
             "/levels/" + std::to_string(l)});
    }
    QTreeWidgetItem* systems = group("Coordinate systems", "coordinateSystems");
    const Json& systemList = list(root, "coordinateSystems");
    for (std::size_t s = 0; s < systemList.size(); ++s)
        add(systems, text(field(systemList[s], "name")),
            {TreeKind::CoordSystem,
             {},
             {},
             core::fromUtf8(field(systemList[s], "name")),
             static_cast<int>(s),
             "/coordinateSystems/" + std::to_string(s)});

    for (QTreeWidgetItemIterator it(&view_); *it; ++it) {
        const QString key = itemKey(*it);
        if (expanded.contains(key) || (firstShow && (*it)->parent() == nullptr && key.endsWith("/macros")))
            (*it)->setExpanded(true);
        if (!selectedKey.isEmpty() && key == selectedKey) view_.setCurrentItem(*it);
    }
}

TreeObject DrawingTree::objectOf(const QTreeWidgetItem* item) const {
    if (!item) return {};
    const int index = item->data(0, Qt::UserRole).toInt();
    return index >= 0 && index < static_cast<int>(objects_.size()) ? objects_[static_cast<std::size_t>(index)]
                                                                   : TreeObject{};
}

TreeObject DrawingTree::selected() const {
    return objectOf(view_.currentItem());
}

QTreeWidgetItem* DrawingTree::find(const std::vector<QString>& path) const {
    QTreeWidgetItem* found = nullptr;
    for (const QString& label : path) {
        const int count = found ? found->childCount() : view_.topLevelItemCount();
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* child = found ? found->child(i) : view_.topLevelItem(i);
            if (child->text(0).startsWith(label)) next = child;
        }
        if (!next) return nullptr;
        found = next;
    }
    return found;
}

std::vector<std::pair<QString, QString>> DrawingTree::fields(const TreeObject& object) const {
    std::vector<std::pair<QString, QString>> rows;
    if (object.kind == TreeKind::None || text_.empty()) return rows;
    const Json root = Json::parse(text_, nullptr, false);
    const Json::json_pointer pointer(object.pointer);
    if (root.is_discarded() || !root.contains(pointer)) return rows;
    const Json& value = root.at(pointer);
    if (!value.is_object()) {
        rows.emplace_back(QStringLiteral("entries"), QString::number(value.size()));
        return rows;
    }
    for (auto it = value.begin(); it != value.end(); ++it)
        rows.emplace_back(text(it.key()), valueText(it.value()));
    return rows;
}

} // namespace sshost::gui
