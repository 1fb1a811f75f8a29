#include "core/dstv_points.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/files.h"
#include "core/properties_list.h"
#include "core/settings.h"
#include "core/text.h"

namespace {

const Zrk_String kFolder = "DSTV Points/";
const Zrk_String kExtension = "dat";
const Zrk_String kInUseFile = "InUse.txt";
const Zrk_String kInUseKey = "groupInUse";
const Zrk_String kFormatKey = "format";
const Zrk_String kFormat = "DSTV points";
const Zrk_String kVersionKey = "version";
constexpr int kVersion = 1;
const Zrk_String kCountKey = "nrOfPoints";
// More points than this in one group is no group a person made.
constexpr int kMaxPoints = 10000;

Zrk_String key(const char* word, int index) {
    return Zrk_String(word) + "." + intToStr(index);
}

Zrk_String quoted(const Zrk_String& text) {
    return "\"" + text + "\"";
}

void setReason(Zrk_String* message, const Zrk_String& reason) {
    if (message) *message = reason;
}

// Reads one point's entries; an entry that is missing keeps the default.
class PointReader {
public:
    PointReader(const Zrk_PropertiesList& list, int index, const Zrk_String& fileName)
        : list_(list), index_(index), fileName_(fileName) {}

    bool flag(const char* word, bool& value) {
        int number = value ? 1 : 0;
        if (!whole(word, number, 0, 1)) return false;
        value = number == 1;
        return true;
    }
    bool whole(const char* word, int& value, int low, int high) {
        const Zrk_String name = key(word, index_);
        if (!list_.hasProperty(name)) return true;
        int number = 0;
        if (!list_.getProperty(name, number) || number < low || number > high)
            return fail(name, "must be a whole number from " + intToStr(low) + " to " + intToStr(high));
        value = number;
        return true;
    }
    bool distance(const char* word, double& value) {
        const Zrk_String name = key(word, index_);
        if (!list_.hasProperty(name)) return true;
        double number = 0.0;
        if (!list_.getProperty(name, number) || !std::isfinite(number) || number < 0.0)
            return fail(name, "must be a number of 0 or more");
        value = number;
        return true;
    }
    bool text(const char* word, Zrk_String& value) {
        const Zrk_String name = key(word, index_);
        if (!list_.getProperty(name, value) || value.empty())
            return fail(name, "must be a text that is not empty");
        return true;
    }
    const Zrk_String& reason() const { return reason_; }

private:
    bool fail(const Zrk_String& name, const Zrk_String& what) {
        reason_ = fileName_ + ": the entry " + quoted(name) + " " + what + ".";
        return false;
    }

    const Zrk_PropertiesList& list_;
    int index_;
    Zrk_String fileName_;
    Zrk_String reason_;
};

} // namespace

// --- one point --------------------------------------------------------------------------------------

void Zrk_DstvPointInfo::setSelectGeomExtent(bool select, KvDstvPointSideSelection side1,
                                            KvDstvPointSideSelection side2) {
    selectGeomExtent_ = select;
    sideSelection1_ = side1;
    sideSelection2_ = side2;
}

void Zrk_DstvPointInfo::setSelectIntersGeom(bool select, bool middle, KvDstvPointSideSelection startDir) {
    selectIntersGeom_ = select;
    selectIntersMid_ = middle;
    intersStartDir_ = startDir;
}

void Zrk_DstvPointInfo::setPlateSelection(short view, short mark, double minDist) {
    viewPlateSelection_ = view;
    markPlateSelection_ = mark;
    minPlateSideDist_ = minDist;
}

void Zrk_DstvPointInfo::setDrillFullHole(bool drill, bool thicknessBased, double radius) {
    drillFullHole_ = drill;
    radiusThicknessBased_ = thicknessBased;
    drillRadius_ = radius;
}

// --- the groups -------------------------------------------------------------------------------------

Zrk_String DlgDstvPoints::getDstvPointsFolder() {
    return ensureEndSlash(gSettings.libDir) + kFolder;
}

Zrk_String DlgDstvPoints::getGroupFile(const Zrk_String& group) {
    return getDstvPointsFolder() + group + "." + kExtension;
}

bool DlgDstvPoints::isValidGroupName(const Zrk_String& name, Zrk_String* reason) {
    return isValidGroupFileName(name, reason);
}

void DlgDstvPoints::getAllDstvPointsFiles(Zrk_StringArray& groups) {
    groups.removeAll();
    const Zrk_String folder = getDstvPointsFolder();
    std::error_code error;
    std::filesystem::directory_iterator entries(core::osPath(folder), error);
    if (error) return;
    for (const auto& entry : entries) {
        if (!entry.is_regular_file(error)) continue;
        const Zrk_String file = core::fromOsPath(entry.path().filename().string());
        if (!isEqual(getExtension(file), kExtension, true)) continue;
        const Zrk_String name = changeExtension(file, "");
        if (isValidGroupName(name)) groups.append(name);
    }
    std::sort(groups.begin(), groups.end(), [](const Zrk_String& a, const Zrk_String& b) {
        const int order = compareStrings(a, b, true);
        return order != 0 ? order < 0 : a < b;
    });
}

Zrk_String DlgDstvPoints::getStandardDstvPointsFile() {
    Zrk_PropertiesList list;
    Zrk_String group;
    const Zrk_String file = getDstvPointsFolder() + kInUseFile;
    if (fileExists(file) && list.readFromFile(file)) list.getProperty(kInUseKey, group);
    return group;
}

bool DlgDstvPoints::setStandardDstvPointsFile(const Zrk_String& group, Zrk_String* message) {
    if (!group.empty() && !isValidGroupName(group, message)) return false;
    Zrk_PropertiesList list;
    list.setProperty(kInUseKey, group);
    std::error_code error;
    std::filesystem::create_directories(core::osPath(getDstvPointsFolder()), error);
    return writeFileAtomically(getDstvPointsFolder() + kInUseFile, list.toText(), message);
}

bool DlgDstvPoints::createGroup(const Zrk_String& group, Zrk_String* message) {
    if (!isValidGroupName(group, message)) return false;
    Zrk_StringArray groups;
    getAllDstvPointsFiles(groups);
    if (findString(groups, group, true) >= 0) {
        setReason(message, "There is a group " + quoted(group) + " already.");
        return false;
    }
    const Zrk_String folder = getDstvPointsFolder();
    std::error_code error;
    std::filesystem::create_directories(core::osPath(folder), error);
    if (!folderExists(folder)) {
        setReason(message, "The folder " + folder + " cannot be made: " + error.message() + ".");
        return false;
    }
    return DlgDstvPoints().writeToFile(group, message);
}

bool DlgDstvPoints::deleteGroup(const Zrk_String& group, Zrk_String* message) {
    if (!isValidGroupName(group, message)) return false;
    if (!ObjectExportDeleteFile(getGroupFile(group))) {
        setReason(message, "The file " + getGroupFile(group) + " cannot be deleted.");
        return false;
    }
    if (getStandardDstvPointsFile() == group) setStandardDstvPointsFile("", nullptr);
    return true;
}

// --- a group's file -----------------------------------------------------------------------------------

bool DlgDstvPoints::readFromFile(const Zrk_String& group, Zrk_String* message) {
    if (!isValidGroupName(group, message)) return false;
    const Zrk_String file = getGroupFile(group);
    Zrk_StringArray lines;
    return ObjectExportReadFile(file, lines, message) && fromText(lines, file, message);
}

bool DlgDstvPoints::writeToFile(const Zrk_String& group, Zrk_String* message) const {
    if (!isValidGroupName(group, message)) return false;
    for (int i = 0; i < points.length(); ++i) {
        if (points[i].name().empty()) {
            setReason(message,
                      "Point " + intToStr(i + 1) + " of the group " + quoted(group) + " has no name.");
            return false;
        }
    }
    return writeFileAtomically(getGroupFile(group), toText(), message);
}

Zrk_String DlgDstvPoints::toText() const {
    Zrk_PropertiesList list;
    list.setProperty(kFormatKey, kFormat);
    list.setProperty(kVersionKey, kVersion);
    list.setProperty(kCountKey, points.length());
    for (int i = 0; i < points.length(); ++i) {
        const Zrk_DstvPointInfo& point = points[i];
        list.setProperty(key("name", i), point.name());
        list.setProperty(key("selectGeomExtent", i), point.selectGeomExtent() ? 1 : 0);
        list.setProperty(key("sideSelection1", i), static_cast<int>(point.sideSelection1()));
        list.setProperty(key("sideSelection2", i), static_cast<int>(point.sideSelection2()));
        list.setProperty(key("selectIntersGeom", i), point.selectIntersGeom() ? 1 : 0);
        list.setProperty(key("selectIntersMid", i), point.selectIntersMid() ? 1 : 0);
        list.setProperty(key("intersStartDir", i), static_cast<int>(point.intersStartDir()));
        list.setProperty(key("viewPlateSelection", i), static_cast<int>(point.viewPlateSelection()));
        list.setProperty(key("markPlateSelection", i), static_cast<int>(point.markPlateSelection()));
        list.setProperty(key("minPlateSideDist", i), point.minPlateSideDist());
        list.setProperty(key("drillFullHole", i), point.drillFullHole() ? 1 : 0);
        list.setProperty(key("radiusThicknessBased", i), point.radiusThicknessBased() ? 1 : 0);
        list.setProperty(key("drillRadius", i), point.drillRadius());
    }
    return list.toText();
}

bool DlgDstvPoints::fromText(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message) {
    Zrk_PropertiesList list;
    if (!list.fromText(lines, fileName, message)) return false;
    Zrk_String format;
    int version = 0;
    if (!list.getProperty(kFormatKey, format) || format != kFormat) {
        setReason(message, fileName + " holds no DSTV points: its entry " + quoted(kFormatKey) + " must be " +
                               quoted(kFormat) + ".");
        return false;
    }
    if (!list.getProperty(kVersionKey, version) || version < 1 || version > kVersion) {
        setReason(message, fileName + ": the entry " + quoted(kVersionKey) +
                               " must be a whole number from 1 to " + intToStr(kVersion) +
                               " (a later version of the program may have written it).");
        return false;
    }
    int count = 0;
    if (list.hasProperty(kCountKey) &&
        (!list.getProperty(kCountKey, count) || count < 0 || count > kMaxPoints)) {
        setReason(message, fileName + ": the entry " + quoted(kCountKey) +
                               " must be a whole number from 0 to " + intToStr(kMaxPoints) + ".");
        return false;
    }

    Zrk_Array<Zrk_DstvPointInfo> read;
    for (int i = 0; i < count; ++i) {
        PointReader reader(list, i, fileName);
        Zrk_DstvPointInfo point;
        Zrk_String name;
        bool geomExtent = point.selectGeomExtent(), intersGeom = point.selectIntersGeom();
        bool middle = point.selectIntersMid(), fullHole = point.drillFullHole();
        bool thicknessBased = point.radiusThicknessBased();
        int side1 = point.sideSelection1(), side2 = point.sideSelection2(), startDir = point.intersStartDir();
        int view = point.viewPlateSelection(), mark = point.markPlateSelection();
        double minDist = point.minPlateSideDist(), radius = point.drillRadius();
        const int lastSide = core::kDstvSideCount - 1;
        const int lastPlate = core::kDstvPlateSelectionCount - 1;
        const bool ok =
            reader.text("name", name) && reader.flag("selectGeomExtent", geomExtent) &&
            reader.whole("sideSelection1", side1, 0, lastSide) &&
            reader.whole("sideSelection2", side2, 0, lastSide) &&
            reader.flag("selectIntersGeom", intersGeom) && reader.flag("selectIntersMid", middle) &&
            reader.whole("intersStartDir", startDir, 0, lastSide) &&
            reader.whole("viewPlateSelection", view, 0, lastPlate) &&
            reader.whole("markPlateSelection", mark, 0, lastPlate) &&
            reader.distance("minPlateSideDist", minDist) && reader.flag("drillFullHole", fullHole) &&
            reader.flag("radiusThicknessBased", thicknessBased) && reader.distance("drillRadius", radius);
        if (!ok) {
            setReason(message, reader.reason());
            return false;
        }
        point.setName(name);
        point.setSelectGeomExtent(geomExtent, static_cast<KvDstvPointSideSelection>(side1),
                                  static_cast<KvDstvPointSideSelection>(side2));
        point.setSelectIntersGeom(intersGeom, middle, static_cast<KvDstvPointSideSelection>(startDir));
        point.setPlateSelection(static_cast<short>(view), static_cast<short>(mark), minDist);
        point.setDrillFullHole(fullHole, thicknessBased, radius);
        read.append(point);
    }
    points = read;
    return true;
}
