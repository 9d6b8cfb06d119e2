// System variables, number formatting, coordinate transformation and the command stack.
#include "EditorFixture.h"

#include "host/ed/CommandStack.h"
#include "host/ed/Document.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdCommandLine.h>
#include <aced/AcEdVariables.h>
#include <acrx/AcRxDictionary.h>

#include <cmath>
#include <cstdlib>

using dh::ed::Session;
using dh::ed::test::EditorTest;

using HostServices = EditorTest;

TEST_F(HostServices, VariablesHaveTheHostsTypesAndDefaults)
{
    start();
    struct Case {
        const char* name;
        short type;
        double value;
    } cases[] = {{"CMDECHO", RTSHORT, 1}, {"PICKBOX", RTSHORT, 3}, {"LUNITS", RTSHORT, 2},
                 {"LUPREC", RTSHORT, 4},  {"TILEMODE", RTSHORT, 1}, {"CVPORT", RTSHORT, 2},
                 {"WORLDUCS", RTSHORT, 1}, {"errno", RTSHORT, 0}, {"VIEWTWIST", RTREAL, 0}};
    for (const Case& c : cases) {
        resbuf rb;
        ASSERT_EQ(acedGetVar(c.name, &rb), RTNORM) << c.name;
        EXPECT_EQ(rb.restype, c.type) << c.name;
        EXPECT_EQ(c.type == RTSHORT ? rb.resval.rint : rb.resval.rreal, c.value) << c.name;
    }
    resbuf rb;
    ASSERT_EQ(acedGetVar("SCREENSIZE", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTPOINT);
    EXPECT_EQ(rb.resval.rpoint[0], 1600);
    EXPECT_EQ(rb.resval.rpoint[1], 900);
    ASSERT_EQ(acedGetVar("CLAYER", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSTR);
    EXPECT_STREQ(rb.resval.rstring, "0");
    std::free(rb.resval.rstring);
    EXPECT_EQ(acedGetVar("NOSUCHVAR", &rb), RTERROR);
}

TEST_F(HostServices, SettingChecksTypeRangeAndWritability)
{
    Session& s = start();
    resbuf rb{};
    rb.restype = RTREAL;
    rb.resval.rreal = 1.0;
    EXPECT_EQ(acedSetVar("CMDECHO", &rb), RTERROR);  // a real for a short
    rb.restype = RTSHORT;
    rb.resval.rint = 0;
    EXPECT_EQ(acedSetVar("CMDECHO", &rb), RTNORM);
    rb.resval.rint = 99;
    EXPECT_EQ(acedSetVar("PICKBOX", &rb), RTERROR);  // beyond 50
    EXPECT_EQ(acedSetVar("WORLDUCS", &rb), RTERROR);  // read-only
    rb.resval.rint = 12;
    EXPECT_EQ(acedSetVar("VIEWSIZE", &rb), RTNORM);  // an integer for a real
    EXPECT_DOUBLE_EQ(s.activeDocument()->view().height, 12.0);
    rb.restype = RTPOINT;
    rb.resval.rpoint[0] = 5;
    rb.resval.rpoint[1] = 6;
    EXPECT_EQ(acedSetVar("LASTPOINT", &rb), RTNORM);  // 2D into 3D: z 0
    EXPECT_EQ(s.variables().get("LASTPOINT")->point[1], 6);
    rb.restype = RTREAL;
    rb.resval.rreal = 0.0;
    EXPECT_EQ(acedSetVar("VIEWSIZE", &rb), RTERROR);  // a view has a height
}

TEST_F(HostServices, ViewVariablesFollowTheActiveDrawing)
{
    Session& s = start();
    s.activeDocument()->view().height = 50;
    s.newDocument();
    EXPECT_EQ(s.variables().getReal("VIEWSIZE"), dh::ed::View::kDefaultHeight);
    s.setActiveDocument(*s.documents().front());
    EXPECT_EQ(s.variables().getReal("VIEWSIZE"), 50);
}

TEST_F(HostServices, RealsFormattedInTheHostsUnits)
{
    start();
    struct Case {
        double value;
        int unit, prec;
        const char* text;
    } cases[] = {
        {500, 2, 2, "500.00"},       {-0.001, 2, 2, "0.00"},     {1234.5678, 2, 0, "1235"},
        {12.5, 1, 3, "1.250E+01"},   {30.5, 3, 2, "2'-6.50\""},  {6.0, 3, 1, "6.0\""},
        {30.5, 4, 2, "2'-6 1/2\""},  {0.25, 4, 3, "1/4\""},      {12.5, 5, 2, "12 1/2"},
        {-2.75, 5, 3, "-2 3/4"},     {24.0, 4, 4, "2'-0\""},     {3.999, 5, 2, "4"},
    };
    for (const Case& c : cases) {
        char text[64];
        ASSERT_EQ(acdbRToS(c.value, c.unit, c.prec, text, sizeof text), RTNORM) << c.text;
        EXPECT_STREQ(text, c.text) << c.value << " unit " << c.unit << " prec " << c.prec;
    }
    char text[64];
    EXPECT_EQ(acdbRToS(1.0, -1, -1, text), RTNORM);  // LUNITS 2, LUPREC 4
    EXPECT_STREQ(text, "1.0000");
    EXPECT_EQ(acdbRToS(1.0, 6, 2, text), RTERROR);
    EXPECT_EQ(acdbRToS(1e30, 2, 8, text, 8), RTERROR);  // does not fit
}

TEST_F(HostServices, TransBetweenWorldAndDisplay)
{
    Session& s = start();
    dh::ed::View& view = s.activeDocument()->view();
    view.twist = M_PI / 2;  // the display's x axis is the world's y axis
    resbuf world{nullptr, RTSHORT, {}};
    world.resval.rint = 0;
    resbuf display{nullptr, RTSHORT, {}};
    display.resval.rint = 2;
    ads_point p = {1, 0, 0}, q;
    ASSERT_EQ(acedTrans(p, &world, &display, 0, q), RTNORM);
    ads_point back;
    ASSERT_EQ(acedTrans(q, &display, &world, 0, back), RTNORM);
    EXPECT_NEAR(back[0], 1, 1e-12);
    EXPECT_NEAR(back[1], 0, 1e-12);
    EXPECT_NEAR(std::hypot(q[0], q[1]), 1, 1e-12);
    EXPECT_NEAR(std::fabs(q[0]), 0, 1e-12);  // a world x vector lies on display y
    resbuf normal{nullptr, RT3DPOINT, {}};
    normal.resval.rpoint[0] = 0;
    normal.resval.rpoint[1] = 0;
    normal.resval.rpoint[2] = -1;  // the object system of a downward normal mirrors x
    ads_point r;
    ASSERT_EQ(acedTrans(p, &world, &normal, 0, r), RTNORM);
    EXPECT_NEAR(r[0], -1, 1e-12);
    resbuf bad{nullptr, RTSHORT, {}};
    bad.resval.rint = 7;
    EXPECT_EQ(acedTrans(p, &world, &bad, 0, r), RTERROR);
}

namespace {
void commandA() {}
void commandB() {}
}  // namespace

TEST_F(HostServices, CommandStackRefusesDuplicatesAndFindsByEitherName)
{
    start();
    auto* stack = AcEdCommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"));
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->addCommand("G1", "FIRST", "_PREMIER", 1, commandA), Acad::eOk);
    EXPECT_EQ(stack->addCommand("G2", "first", "OTHER", 1, commandB), Acad::eDuplicateKey);
    EXPECT_EQ(stack->addCommand("G1", "SECOND", nullptr, 1, commandB), Acad::eOk);
    ASSERT_NE(stack->lookupCmd("premier"), nullptr);
    EXPECT_EQ(stack->lookupCmd("._First")->functionAddr(), &commandA);
    EXPECT_STREQ(stack->lookupCmd("second")->localName(), "SECOND");
    EXPECT_EQ(stack->removeCmd("G2", "FIRST"), Acad::eKeyNotFound);  // wrong group
    EXPECT_EQ(stack->removeCmd("G1", "first"), Acad::eOk);
    EXPECT_EQ(stack->lookupCmd("FIRST"), nullptr);
    EXPECT_EQ(stack->removeGroup("G1"), Acad::eOk);
    EXPECT_EQ(stack->lookupCmd("SECOND"), nullptr);
    EXPECT_EQ(stack->addCommand("", "X", "X", 0, commandA), Acad::eInvalidInput);
}

TEST_F(HostServices, ProgressMeterGoesToTheSink)
{
    Session& s = start();
    std::vector<std::string> events;
    s.setProgressSink([&](const dh::ed::ProgressEvent& e) {
        events.push_back(e.label + ":" + std::to_string(static_cast<int>(e.kind)) + ":" +
                         std::to_string(e.pos));
    });
    EXPECT_EQ(acedSetStatusBarProgressMeterPos(3), -1);  // no meter yet
    EXPECT_EQ(acedSetStatusBarProgressMeter("Work", 0, 10), 0);
    EXPECT_EQ(acedSetStatusBarProgressMeterPos(15), 0);  // clamped
    acedRestoreStatusBar();
    EXPECT_EQ(acedSetStatusBarProgressMeter("Bad", 5, 1), -1);
    EXPECT_EQ(events, (std::vector<std::string>{"Work:0:0", "Work:1:10", "Work:2:10"}));
}
