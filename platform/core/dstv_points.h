#pragma once
// DSTV marking points: the points that NC output in the DSTV format marks or drills on plates (weld
// points, for instance). Points come in named groups, one file per group in the points folder of the
// library; one group is the group in use.
//
//   <library>/DSTV Points/<group>.dat     a group's points (docs/dstv-points.md)
//   <library>/DSTV Points/InUse.txt       the name of the group in use
//
// Group names become file names, so they are checked first (isValidGroupName): not empty, no path
// separators or other characters a file name cannot hold, not "." or "..", no leading dot (hidden
// files and the atomic writer's temporaries start with one) and no blanks around it. Names are the
// same group when they differ only in letter case, as a person reads them. Every file is written
// atomically; a file that cannot be read or does not hold a group is an error naming the file and
// the entry, and changes nothing.

#include "core/zrk_string.h"

// The sides of a plate a point is taken from. The first two and the last two form two classes: a
// point's two side selections always lie in different classes (a corner of the plate).
enum KvDstvPointSideSelection : int {
    dstvSideTop = 0,
    dstvSideBottom = 1,
    dstvSideLeft = 2,
    dstvSideRight = 3,
};

namespace core {
inline constexpr int kDstvSideCount = 4;
// The plate selections: 0 automatic, then plates 1 to 4.
inline constexpr int kDstvPlateSelectionCount = 5;
// The class of a side (0 for the first two, 1 for the others).
inline int dstvSideClass(int side) {
    return side < 2 ? 0 : 1;
}
} // namespace core

// One marking point. The defaults are those of a new point: the geometry's extent taken from the
// top and left sides, the middle of an intersection from the top, automatic plates at least 50 from
// a plate side, no full hole, a radius of 16.
class Zrk_DstvPointInfo {
public:
    Zrk_DstvPointInfo() = default;
    explicit Zrk_DstvPointInfo(const Zrk_String& name) : name_(name) {}

    const Zrk_String& name() const { return name_; }
    // How the point is found: at the extent of the geometry between two sides ...
    bool selectGeomExtent() const { return selectGeomExtent_; }
    KvDstvPointSideSelection sideSelection1() const { return sideSelection1_; }
    KvDstvPointSideSelection sideSelection2() const { return sideSelection2_; }
    // ... or at an intersection of the geometry (its middle), starting from a side.
    bool selectIntersGeom() const { return selectIntersGeom_; }
    bool selectIntersMid() const { return selectIntersMid_; }
    KvDstvPointSideSelection intersStartDir() const { return intersStartDir_; }
    // The plate the point is seen on and the plate it is marked on (0 automatic, 1 .. 4).
    short viewPlateSelection() const { return viewPlateSelection_; }
    short markPlateSelection() const { return markPlateSelection_; }
    double minPlateSideDist() const { return minPlateSideDist_; }
    // A full hole drilled, with a radius (taken as a part of the plate's thickness when
    // radiusThicknessBased).
    bool drillFullHole() const { return drillFullHole_; }
    bool radiusThicknessBased() const { return radiusThicknessBased_; }
    double drillRadius() const { return drillRadius_; }

    void setName(const Zrk_String& name) { name_ = name; }
    void setSelectGeomExtent(bool select, KvDstvPointSideSelection side1, KvDstvPointSideSelection side2);
    void setSelectIntersGeom(bool select, bool middle, KvDstvPointSideSelection startDir);
    void setPlateSelection(short view, short mark, double minDist);
    void setDrillFullHole(bool drill, bool thicknessBased, double radius);

    bool operator==(const Zrk_DstvPointInfo& other) const = default;

private:
    Zrk_String name_;
    bool selectGeomExtent_ = true;
    KvDstvPointSideSelection sideSelection1_ = dstvSideTop;
    KvDstvPointSideSelection sideSelection2_ = dstvSideLeft;
    bool selectIntersGeom_ = false;
    bool selectIntersMid_ = true;
    KvDstvPointSideSelection intersStartDir_ = dstvSideTop;
    short viewPlateSelection_ = 0;
    short markPlateSelection_ = 0;
    double minPlateSideDist_ = 50.0;
    bool drillFullHole_ = false;
    bool radiusThicknessBased_ = false;
    double drillRadius_ = 16.0;
};

// The points of one group, and the groups' files.
class DlgDstvPoints {
public:
    Zrk_Array<Zrk_DstvPointInfo> points;

    // The library's points folder, with its closing '/'.
    static Zrk_String getDstvPointsFolder();
    // The file of a group: the points folder, the name and ".dat".
    static Zrk_String getGroupFile(const Zrk_String& group);
    // True when the name can be a group's (see above); otherwise reason says why.
    static bool isValidGroupName(const Zrk_String& name, Zrk_String* reason = nullptr);
    // The names of the groups (the ".dat" files of the points folder), sorted ignoring letter case;
    // none when the folder does not exist.
    static void getAllDstvPointsFiles(Zrk_StringArray& groups);
    // The group in use, as it was set; empty when none is.
    static Zrk_String getStandardDstvPointsFile();
    // Makes the group the one in use (an empty name: none). False with the reason when the name is no
    // group's name or the setting cannot be written.
    static bool setStandardDstvPointsFile(const Zrk_String& group, Zrk_String* message = nullptr);
    // A new, empty group; the points folder is made when it is missing. False with the reason for an
    // invalid name, a group of that name (letter case aside), or a failed write.
    static bool createGroup(const Zrk_String& group, Zrk_String* message = nullptr);
    // Deletes a group's file; when it was the group in use, none is in use afterwards.
    static bool deleteGroup(const Zrk_String& group, Zrk_String* message = nullptr);

    // Reads a group's points. False with the reason (file and entry), and points unchanged, when the
    // group's file cannot be read or holds something else.
    bool readFromFile(const Zrk_String& group, Zrk_String* message = nullptr);
    // Writes the points as the group's file (atomically). False with the reason for an invalid group
    // name, a point without a name, or a failed write.
    bool writeToFile(const Zrk_String& group, Zrk_String* message = nullptr) const;

    // The group file's text and its parsing (fileName names the file in messages).
    Zrk_String toText() const;
    bool fromText(const Zrk_StringArray& lines, const Zrk_String& fileName, Zrk_String* message = nullptr);

    bool operator==(const DlgDstvPoints& other) const { return points == other.points; }
};
