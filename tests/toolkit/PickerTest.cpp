// The pickers against scripted answers: prompts as the user sees them, defaults, the
// host's refusals, range checks, keywords, class filters and LASTPOINT.
#include "ToolkitSession.h"

#include "toolkit/DoublePicker.h"
#include "toolkit/EntityPicker.h"
#include "toolkit/IntPicker.h"
#include "toolkit/KeywordPicker.h"
#include "toolkit/PointPicker.h"

#include <acdb/AcDbCircle.h>
#include <acdb/AcDbLine.h>
#include <aced/AcEdVariables.h>

namespace dh::toolkit::test {
namespace {

using Pickers = ToolkitSession;

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

AcGePoint3d lastPoint()
{
    resbuf rb{};
    EXPECT_EQ(acedGetVar("LASTPOINT", &rb), RTNORM);
    return AcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
}

TEST_F(Pickers, RealDefaultIsShownWithTwoDecimalsAndTakenOnEnter)
{
    answer({""});
    DoublePicker picker("给定比例1:", nullptr, 500.0, kPositive);
    EXPECT_EQ(picker.pick(), kPickValue);
    EXPECT_EQ(picker.value, 500.0);
    EXPECT_EQ(out(), "\n给定比例1:<500.00>: ");
}

TEST_F(Pickers, RealWithoutDefaultRefusesEnterAndPositiveRefusesZeroAndNegative)
{
    answer({"", "0", "-2", "3.5"});
    DoublePicker picker("Size", nullptr, 0.0, kPositive);
    picker.hasDefault = false;
    EXPECT_EQ(picker.pick(), kPickValue);
    EXPECT_EQ(picker.value, 3.5);
    EXPECT_EQ(occurrences(out(), "\nSize: "), 4u) << out();
}

TEST_F(Pickers, OutOfRangeAnswersAreReportedAndAskedAgain)
{
    answer({"12", "0", "10"});
    IntPicker picker("Count", nullptr, 5, kBetweenLimits);
    picker.minimum = 1;
    picker.maximum = 10;
    EXPECT_EQ(picker.pick(), kPickValue);
    EXPECT_EQ(picker.value, 10);
    EXPECT_EQ(out(), "\nCount<5>: 12\n输入值应介于 1 到 10 间"
                     "\nCount<5>: 0\n输入值应介于 1 到 10 间"
                     "\nCount<5>: 10");

    clearOutput();
    answer({"2.5", "1.25"});
    DoublePicker real("Factor", nullptr, 1.0, kBetweenLimits);
    real.minimum = 0.5;
    real.maximum = 2.0;
    EXPECT_EQ(real.pick(), kPickValue);
    EXPECT_EQ(real.value, 1.25);
    EXPECT_NE(out().find("\n输入值应介于 0.5000 到 2.0000 间"), std::string::npos) << out();
}

TEST_F(Pickers, CancelLeavesTheAnswerAsItWas)
{
    answer({"^C"});
    IntPicker picker("Count", nullptr, 5, kAnyValue);
    picker.value = 42;
    EXPECT_EQ(picker.pick(), kPickFailed);
    EXPECT_EQ(picker.value, 42);
}

TEST_F(Pickers, SecondPointUsesTheDefaultPromptAndKeepsTheFirstAsBase)
{
    answer({"1,2", "4,6"});
    PointPicker picker("First point", nullptr);
    EXPECT_EQ(picker.pickSecondPoint(nullptr, nullptr), kPickValue);
    EXPECT_EQ(out(), "\nFirst point: 1,2\n给定另一点: 4,6");
    EXPECT_EQ(picker.basePoint, AcGePoint3d(1, 2, 0));
    EXPECT_EQ(picker.point, AcGePoint3d(4, 6, 0));
    EXPECT_EQ(lastPoint(), AcGePoint3d(4, 6, 0));
    EXPECT_TRUE(picker.hasBase);
    EXPECT_STREQ(picker.prompt(), "给定另一点");

    // Relative input is taken from the LASTPOINT the picker wrote.
    answer({"@1,1"});
    PointPicker next("Next", nullptr);
    EXPECT_EQ(next.pick(), kPickValue);
    EXPECT_EQ(next.point, AcGePoint3d(5, 7, 0));
}

TEST_F(Pickers, PointKeywordsAndEnter)
{
    answer({"cl", ""});
    PointPicker picker("Point", "Close Undo");
    picker.allowEmpty = true;
    EXPECT_EQ(picker.pick(), kPickKeyword);
    EXPECT_TRUE(picker.isInput("Close"));
    EXPECT_FALSE(picker.isInput("close"));
    EXPECT_EQ(picker.pick(), kPickEmpty);
}

TEST_F(Pickers, EntityFilterAsksAgainSilentlyAndMissesPrintTheMessage)
{
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId circle = add(new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 1));
    answer({handleOf(circle), "90000,90000", handleOf(line)});
    EntityPicker picker("Pick a line", nullptr);
    picker.classFilter.append(AcDbLine::desc());
    picker.missMessage = "only lines";
    EXPECT_EQ(picker.pick(), kPickValue);
    EXPECT_EQ(picker.objectId, line);
    EXPECT_EQ(occurrences(out(), "\nPick a line: "), 3u) << out();
    EXPECT_EQ(occurrences(out(), "\nonly lines"), 1u) << out();
}

TEST_F(Pickers, EntityEnterIsEmptyOnlyWhenAllowed)
{
    answer({"", ""});
    EntityPicker picker("Pick", nullptr);
    EXPECT_EQ(picker.pick(), kPickFailed);
    picker.allowEmpty = true;
    EXPECT_EQ(picker.pick(), kPickEmpty);
}

TEST_F(Pickers, KeywordPickerExpandsAbbreviationsAndRefusesEnterByDefault)
{
    answer({"n", "", "Y", "^C"});
    KeywordPicker picker("Sure?", "Yes No");
    EXPECT_EQ(picker.pick(), kPickValue);
    EXPECT_TRUE(picker.isInput("No"));
    EXPECT_EQ(picker.pick(), kPickValue); // Enter refused, then "Y"
    EXPECT_TRUE(picker.isInput("Yes"));
    picker.allowEmpty = true;
    EXPECT_EQ(picker.pick(), kPickFailed);
}

} // namespace
} // namespace dh::toolkit::test
