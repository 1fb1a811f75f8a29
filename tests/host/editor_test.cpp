// The host's editor: picks answered by whoever is installed and checked against the open drawing,
// highlights, previews and view changes recorded as a person would have seen them, and picks on a
// terminal.

#include <cmath>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "core/editor_hooks.h"
#include "core/files.h"
#include "host/document.h"
#include "host/editor.h"
#include "host/terminal_input.h"

namespace fs = std::filesystem;

namespace {

// Two macros; one is named like another's id, as a person may well name one.
const char* kDrawing = R"({"format": "ss-drawing", "version": 2, "macros": [
  {"id": 7, "name": "BasePlate1", "modules": [{"name": "Plate", "variables": [{"name": "W", "value": 1}]}]},
  {"id": 12, "name": "7", "modules": [{"name": "Plate", "variables": [{"name": "W", "value": 1}]}]}
], "profiles": [
  {"id": 20, "name": "C1", "section": "HEA-200", "end": [0, 0, 3500],
   "cuts": [{"name": "Top", "type": 5, "offsets": {"offset": 5}}, {"name": "Bottom", "type": 5}]}
], "coordinateSystems": [{"name": "Column"}]})";

// Answers picks from a list of lambdas, in order.
class ListInput : public host::EditorInput {
public:
    using Answer = std::function<int(const host::PickRequest&, host::PickAnswer&)>;
    std::vector<Answer> answers;
    std::vector<host::PickRequest> asked;

    int ask(const host::PickRequest& request, host::PickAnswer& answer) override {
        asked.push_back(request);
        if (answers.empty()) return RTCAN;
        Answer next = answers.front();
        answers.erase(answers.begin());
        return next(request, answer);
    }
};

ListInput::Answer give(host::PickAnswer given, int status = RTNORM) {
    return [given, status](const host::PickRequest&, host::PickAnswer& answer) {
        answer = given;
        return status;
    };
}

class HostEditor : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ss_editor_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const Zrk_String path = (folder / "d.json").string();
        ASSERT_TRUE(writeFileAtomically(path, kDrawing));
        Zrk_String message;
        ASSERT_TRUE(host::Document::current().open(path, message)) << message;
        editor.clear();
    }
    void TearDown() override {
        host::Document::current().close();
        editor.clear();
        fs::remove_all(folder);
    }

    fs::path folder;
    host::Editor& editor = host::Editor::instance();
};

} // namespace

TEST_F(HostEditor, AnObjectIsPickedByNameOrIdAndResolvedByTheDrawing) {
    ListInput input;
    input.answers = {give(host::PickAnswer::named("baseplate1")),
                     give(host::PickAnswer::of(AcDbObjectId(12))), give(host::PickAnswer::named("7"))};
    AcDbObjectId id;
    EXPECT_EQ(editor.selectObject("Select a macro", {core::ObjectKind::Macro}, id), RTNORM);
    EXPECT_EQ(id, AcDbObjectId(7)); // letter case ignored when nothing matches exactly
    EXPECT_EQ(editor.selectObject("Select a macro", {core::ObjectKind::Macro}, id), RTNORM);
    EXPECT_EQ(id, AcDbObjectId(12));
    EXPECT_EQ(editor.selectObject("Select a macro", {core::ObjectKind::Macro}, id), RTNORM);
    EXPECT_EQ(id, AcDbObjectId(12)); // a name, not the id 7
    ASSERT_EQ(editor.picks().size(), 3u);
    EXPECT_EQ(editor.picks()[0].answer.objectName, "BasePlate1");
    EXPECT_EQ(editor.events()[0], "pick macro: BasePlate1 (#7)");
    EXPECT_EQ(input.asked[0].prompt, "Select a macro");
}

TEST_F(HostEditor, APickThatCannotBeMadeLeavesTheCallersValueAlone) {
    ListInput input;
    input.answers = {give(host::PickAnswer::named("Nobody")), give(host::PickAnswer::of(AcDbObjectId(99))),
                     give({}, RTCAN), give(host::PickAnswer::of(AcDbObjectId(7)))};
    AcDbObjectId id(5);
    EXPECT_EQ(editor.selectObject("", {core::ObjectKind::Macro}, id), RTERROR);
    EXPECT_EQ(editor.selectObject("", {core::ObjectKind::Macro}, id), RTERROR);
    EXPECT_EQ(editor.selectObject("", {core::ObjectKind::Macro}, id), RTCAN);
    // A macro where a profile is asked for.
    EXPECT_EQ(editor.selectObject("", {core::ObjectKind::Profile, core::ObjectKind::CoordinateSystem}, id),
              RTERROR);
    EXPECT_EQ(id, AcDbObjectId(5));
    EXPECT_EQ(editor.events()[2], "pick macro: cancelled");
    EXPECT_EQ(editor.events()[3], "pick profile or coordinate system: failed");

    // No drawing open: an object pick fails without asking.
    host::Document::current().close();
    EXPECT_EQ(editor.selectObject("", {core::ObjectKind::Macro}, id), RTERROR);
    EXPECT_EQ(input.asked.size(), 4u);
}

TEST(HostEditorAlone, WithNobodyToAskAPickIsCancelled) {
    host::Editor& editor = host::Editor::instance();
    editor.clear();
    Zrk_Point3d point{1, 2, 3};
    EXPECT_EQ(editor.getPoint("Point", point), RTCAN);
    EXPECT_EQ(point, (Zrk_Point3d{1, 2, 3}));
    EXPECT_EQ(editor.events().back(), "pick point: cancelled (nobody to ask)");
}

TEST_F(HostEditor, PointsPlanesAndSectionPointsAreChecked) {
    ListInput input;
    input.answers = {
        give(host::PickAnswer::at({{1, 2, 0}})),
        give(host::PickAnswer::at({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}})), // on one line: no plane
        give(host::PickAnswer::at({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})),
        give(host::PickAnswer::at({{1, 2, 0}, {3, 4, 0}})), // two points for one
        give(host::PickAnswer::at({{0, 0, std::nan("")}})),
        [](const host::PickRequest& request, host::PickAnswer& answer) {
            EXPECT_EQ(request.section, "HEA-200");
            EXPECT_DOUBLE_EQ(request.rotation, 1.5);
            answer = host::PickAnswer::at({{-95, 100, 0}});
            return RTNORM;
        },
    };
    Zrk_Point3d point, origin, xPoint, yPoint;
    EXPECT_EQ(editor.getPoint("Point", point), RTNORM);
    EXPECT_EQ(point, (Zrk_Point3d{1, 2, 0}));
    EXPECT_EQ(editor.getPlane("Plane", origin, xPoint, yPoint), RTERROR);
    EXPECT_EQ(editor.getPlane("Plane", origin, xPoint, yPoint), RTNORM);
    EXPECT_EQ(yPoint, (Zrk_Point3d{0, 1, 0}));
    EXPECT_EQ(editor.getPoint("Point", point), RTERROR);
    EXPECT_EQ(editor.getPoint("Point", point), RTERROR);
    EXPECT_EQ(point, (Zrk_Point3d{1, 2, 0}));
    EXPECT_EQ(editor.getSectionPoint("Section point", "HEA-200", 1.5, point), RTNORM);
    EXPECT_EQ(point, (Zrk_Point3d{-95, 100, 0}));
    EXPECT_EQ(editor.events()[0], "pick point: (1, 2, 0)");
}

TEST_F(HostEditor, ZoomAsksForAWindowOrTheExtentsAndRefusesASecondZoomMeanwhile) {
    ListInput input;
    int nested = 0;
    input.answers = {
        [&](const host::PickRequest& request, host::PickAnswer& answer) {
            EXPECT_EQ(request.kind, host::PickKind::ZoomWindow);
            EXPECT_TRUE(editor.isZooming());
            nested = editor.zoom(); // the zoom button pressed again while zooming
            answer = host::PickAnswer::at({{0, 0, 0}, {100, 50, 0}});
            return RTNORM;
        },
        give({}, RTNONE),
        give({}, RTCAN),
    };
    EXPECT_EQ(editor.zoom(), RTNORM);
    EXPECT_EQ(nested, RTREJ);
    EXPECT_FALSE(editor.isZooming());
    EXPECT_EQ(editor.zoom(), RTNORM);
    EXPECT_EQ(editor.zoom(), RTCAN);
    ASSERT_EQ(editor.viewChanges().size(), 2u);
    EXPECT_EQ(editor.viewChanges()[0].kind, host::ViewChange::Kind::Window);
    EXPECT_EQ(editor.viewChanges()[0].corner2, (Zrk_Point3d{100, 50, 0}));
    EXPECT_EQ(editor.viewChanges()[1].kind, host::ViewChange::Kind::Extents);
    // An empty answer is the extents only for a zoom: elsewhere it cancels.
    input.answers = {give({}, RTNONE)};
    Zrk_Point3d point;
    EXPECT_EQ(editor.getPoint("Point", point), RTCAN);
}

TEST_F(HostEditor, HighlightsPreviewsAndViewsAreRecordedInOrder) {
    EXPECT_EQ(editor.highlight(AcDbObjectId(7)), Acad::eOk);
    EXPECT_EQ(editor.highlight(AcDbObjectId(7)), Acad::eOk); // already: nothing new
    EXPECT_EQ(editor.highlight(AcDbObjectId(12)), Acad::eOk);
    EXPECT_EQ(editor.highlight(AcDbObjectId(99)), Acad::eKeyNotFound);
    EXPECT_EQ(editor.highlight(AcDbObjectId()), Acad::eNullObjectId);
    EXPECT_TRUE(editor.isHighlighted(AcDbObjectId(12)));
    EXPECT_EQ(editor.unhighlight(AcDbObjectId(7)), Acad::eOk);
    EXPECT_EQ(editor.unhighlight(AcDbObjectId(7)), Acad::eNotApplicable);

    const int first = editor.drawPreview(AcDbObjectId(7), "cut Cut1");
    const int second = editor.drawPreview(AcDbObjectId(7), "cut Cut2");
    EXPECT_EQ(editor.drawPreview(AcDbObjectId(99), "cut X"), 0);
    EXPECT_TRUE(editor.erasePreview(first));
    EXPECT_FALSE(editor.erasePreview(first));
    ASSERT_EQ(editor.previews().size(), 1u);
    EXPECT_EQ(editor.previews()[0].id, second);

    host::ViewChange objects;
    objects.kind = host::ViewChange::Kind::Objects;
    EXPECT_EQ(editor.changeView(objects), Acad::eInvalidInput); // nothing to fit
    objects.objects = {AcDbObjectId(7), AcDbObjectId(99)};
    EXPECT_EQ(editor.changeView(objects), Acad::eKeyNotFound);
    objects.objects = {AcDbObjectId(7)};
    EXPECT_EQ(editor.changeView(objects), Acad::eOk);
    host::ViewChange along;
    along.kind = host::ViewChange::Kind::Direction;
    EXPECT_EQ(editor.changeView(along), Acad::eInvalidInput);
    along.direction = (Zrk_Point3d{0, 0, -1});
    EXPECT_EQ(editor.changeView(along), Acad::eOk);
    host::ViewChange back;
    back.kind = host::ViewChange::Kind::Previous;
    EXPECT_EQ(editor.changeView(back), Acad::eOk);
    EXPECT_EQ(editor.changeView(back), Acad::eOk);
    EXPECT_EQ(editor.changeView(back), Acad::eNotApplicable); // no view before the first change

    editor.unhighlightAll();
    editor.eraseAllPreviews();
    EXPECT_TRUE(editor.highlights().empty());
    EXPECT_TRUE(editor.previews().empty());
    EXPECT_EQ(editor.events(), (std::vector<std::string>{
                                   "highlight #7",
                                   "highlight #12",
                                   "unhighlight #7",
                                   "preview 1 of #7: cut Cut1",
                                   "preview 2 of #7: cut Cut2",
                                   "erase preview 1",
                                   "view objects #7",
                                   "view direction (0, 0, -1)",
                                   "view previous",
                                   "view previous",
                                   "unhighlight #12",
                                   "erase preview 2",
                               }));
}

TEST_F(HostEditor, EditorCommandsAreCounted) {
    EXPECT_FALSE(editor.completeEditorCommand());
    editor.beginEditorCommand();
    editor.beginEditorCommand();
    EXPECT_EQ(editor.openEditorCommands(), 2);
    EXPECT_TRUE(editor.completeEditorCommand(false));
    EXPECT_TRUE(editor.completeEditorCommand());
    EXPECT_EQ(editor.openEditorCommands(), 0);
    EXPECT_EQ(editor.events().back(), "complete editor command");
}

TEST_F(HostEditor, TheTerminalAsksAgainUntilTheAnswerFitsAndAnEmptyLineCancels) {
    std::istringstream typed("?\nNobody\n#99\n#7\n"  // a macro: listed, two misses, then by id
                             "\n"                    // a macro: cancelled
                             "1;2\n120, 40\n"        // a point: a wrong form, then x,y
                             "0,0,0\n1,0,0\n2,0,0\n" // a plane on one line: asked again
                             "0,0,0\n1,0,0\n0,1,0\n" //   ... then a good one
                             "e\n"                   // zoom to the extents
                             "5,5\n");               // a point, then the input ends
    std::string shown;
    host::TerminalEditorInput terminal(typed, [&](const std::string& text) { shown += text; });

    AcDbObjectId id;
    EXPECT_EQ(editor.selectObject("Select a macro", {core::ObjectKind::Macro}, id), RTNORM);
    EXPECT_EQ(id, AcDbObjectId(7));
    EXPECT_NE(shown.find("  BasePlate1 (#7, macro)\n  7 (#12, macro)\n"), std::string::npos);
    EXPECT_NE(shown.find("The drawing has no macro named \"Nobody\"."), std::string::npos);
    EXPECT_NE(shown.find("The drawing has no object #99."), std::string::npos);
    EXPECT_EQ(editor.selectObject("Select a macro", {core::ObjectKind::Macro}, id), RTCAN);

    Zrk_Point3d point, origin, xPoint, yPoint;
    EXPECT_EQ(editor.getPoint("Base point", point), RTNORM);
    EXPECT_EQ(point, (Zrk_Point3d{120, 40, 0}));
    EXPECT_NE(shown.find("A point is written x,y or x,y,z"), std::string::npos);
    EXPECT_EQ(editor.getPlane("Base plane", origin, xPoint, yPoint), RTNORM);
    EXPECT_EQ(yPoint, (Zrk_Point3d{0, 1, 0}));
    EXPECT_NE(shown.find("must not lie on one line"), std::string::npos);
    EXPECT_EQ(editor.zoom(), RTNORM);
    EXPECT_EQ(editor.viewChanges().back().kind, host::ViewChange::Kind::Extents);
    EXPECT_EQ(editor.getPoint("Base point", point), RTNORM);
    EXPECT_EQ(editor.getPoint("Base point", point), RTCAN); // the end of the input
    EXPECT_EQ(point, (Zrk_Point3d{5, 5, 0}));
}

TEST(TerminalPoints, AreTwoOrThreeNumbers) {
    Zrk_Point3d point;
    EXPECT_TRUE(host::parsePoint("1,2", point));
    EXPECT_TRUE(host::parsePoint(" -1.5 , 2e3 , 3 ", point));
    EXPECT_EQ(point, (Zrk_Point3d{-1.5, 2000, 3}));
    for (const char* wrong : {"", "1", "1,2,3,4", "1,,2", "a,b", "1,2mm", "1e999,0"})
        EXPECT_FALSE(host::parsePoint(wrong, point)) << wrong;
}

TEST_F(HostEditor, ObjectsKnownByNameAloneArePickedByNameAndSelectionsEndWithAnEmptyAnswer) {
    ListInput input;
    input.answers = {give(host::PickAnswer::named("column")),
                     give(host::PickAnswer::named("C1")),
                     give(host::PickAnswer::of(AcDbObjectId(7))),
                     give(host::PickAnswer::named("C1")),
                     give({}, RTNONE),
                     give(host::PickAnswer::of(AcDbObjectId(7))),
                     give({}, RTCAN)};
    Zrk_String name = "unchanged";
    EXPECT_EQ(editor.selectObjectName("Coordinate system", {core::ObjectKind::CoordinateSystem}, name),
              RTNORM);
    EXPECT_EQ(name, "Column");
    EXPECT_EQ(editor.events().back(), "pick coordinate system: Column");

    AcArray<AcDbObjectId> ids;
    EXPECT_EQ(editor.selectObjects("Objects", {core::ObjectKind::Macro, core::ObjectKind::Profile}, ids),
              RTNORM);
    EXPECT_EQ(ids, (AcArray<AcDbObjectId>{AcDbObjectId(20), AcDbObjectId(7)})); // each once
    EXPECT_FALSE(input.asked[1].emptyAnswerEnds);                               // the first must pick
    EXPECT_TRUE(input.asked[2].emptyAnswerEnds);
    // Cancelled half way: nothing is taken.
    EXPECT_EQ(editor.selectObjects("Objects", {core::ObjectKind::Macro}, ids), RTCAN);
    EXPECT_EQ(ids.length(), 2);
}

TEST_F(HostEditor, TheCoreLibrarysHooksAreAnsweredByTheHostsEditor) {
    core::EditorHooks& hooks = core::editorHooks();
    ListInput input;
    input.answers = {give(host::PickAnswer::named("BasePlate1")),
                     give(host::PickAnswer::named("7")),
                     give({}, RTNONE),
                     give(host::PickAnswer::at({{0, 0, 0}, {1, 0, 0}, {0, 0.5, 0}})),
                     give(host::PickAnswer::named("Column")),
                     give(host::PickAnswer::at({{-95, 100, 0}})),
                     give({}, RTCAN)};
    AcArray<AcDbObjectId> macros;
    ASSERT_TRUE(hooks.pickMacros("Select other macros", true, macros));
    EXPECT_EQ(macros, (AcArray<AcDbObjectId>{AcDbObjectId(7), AcDbObjectId(12)}));
    Zrk_String plane;
    ASSERT_TRUE(hooks.pickPlane("Base plane", plane));
    EXPECT_EQ(plane, "0,0,0;1,0,0;0,0.5,0");
    Zrk_String system;
    ASSERT_TRUE(hooks.pickCoordSystem("Coordinate system", system));
    EXPECT_EQ(system, "Column");
    double x = 1, y = 2;
    ASSERT_TRUE(hooks.pickSectionPoint("Section point", "HEA-200", 0.5, x, y));
    EXPECT_EQ(x, -95);
    EXPECT_EQ(y, 100);
    AcDbObjectId profile(1);
    EXPECT_FALSE(hooks.pickProfile("Other profile", profile)); // cancelled
    EXPECT_EQ(profile, AcDbObjectId(1));

    editor.clear();
    hooks.highlight({AcDbObjectId(7), AcDbObjectId(20)}, true);
    hooks.highlight({AcDbObjectId(7)}, false);
    hooks.previewCut(AcDbObjectId(20), 0, true);
    hooks.previewCut(AcDbObjectId(20), 0, true); // shown already
    hooks.previewCut(AcDbObjectId(20), 1, true);
    hooks.previewCut(AcDbObjectId(20), 0, false);
    hooks.changeView({AcDbObjectId(7)}, "Plate", 0);
    hooks.changeView({AcDbObjectId(7)}, "Plate", 1);
    hooks.changeView({AcDbObjectId(7)}, "Plate", 3);
    EXPECT_EQ(editor.events(), (std::vector<std::string>{
                                   "highlight #7",
                                   "highlight #20",
                                   "unhighlight #7",
                                   "preview 1 of #20: cut Top",
                                   "preview 2 of #20: cut Bottom",
                                   "erase preview 1",
                                   "view objects #7",
                                   "view direction (0, 0, -1) #7",
                                   "view previous",
                               }));
}

TEST_F(HostEditor, OnTheTerminalEnterEndsASelectionOfSeveral) {
    std::istringstream typed("BasePlate1\n#12\n\n");
    std::string shown;
    host::TerminalEditorInput terminal(typed, [&](const std::string& text) { shown += text; }, true);
    AcArray<AcDbObjectId> ids;
    EXPECT_EQ(editor.selectObjects("Select macros", {core::ObjectKind::Macro}, ids), RTNORM);
    EXPECT_EQ(ids, (AcArray<AcDbObjectId>{AcDbObjectId(7), AcDbObjectId(12)}));
    EXPECT_EQ(shown, "Select macros (name or id, ? lists them, Enter cancels): BasePlate1\n"
                     "Select macros (name or id, ? lists them, Enter ends): #12\n"
                     "Select macros (name or id, ? lists them, Enter ends): \n");
}
