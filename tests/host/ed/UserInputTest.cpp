// The input calls against scripted answers: values, refusals with the host's complaints,
// keywords, Enter, cancel and the end of input.
#include "EditorFixture.h"

#include <aced/AcEdInput.h>
#include <aced/AcEdVariables.h>

using dh::ed::Session;
using dh::ed::test::EditorTest;

using UserInput = EditorTest;

TEST_F(UserInput, RefusedRealsAreComplainedAboutAndAskedAgain)
{
    start();
    answer({"0", "-1", "abc", "2.5"});
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    ads_real value = 0;
    EXPECT_EQ(acedGetReal("\nScale: ", &value), RTNORM);
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(out(), "\nScale: 0\nValue must be positive and nonzero."
                     "\nScale: -1\nValue must be positive and nonzero."
                     "\nScale: abc\nRequires numeric value."
                     "\nScale: 2.5");
}

TEST_F(UserInput, NoZeroAndNoNegativeHaveTheirOwnComplaints)
{
    start();
    answer({"0", "4", "-3", "5"});
    ads_real value = 0;
    acedInitGet(RSG_NOZERO, nullptr);
    EXPECT_EQ(acedGetReal("\nA: ", &value), RTNORM);
    acedInitGet(RSG_NONEG, nullptr);
    EXPECT_EQ(acedGetReal("\nB: ", &value), RTNORM);
    EXPECT_EQ(value, 5.0);
    EXPECT_EQ(out(), "\nA: 0\nValue must be nonzero.\nA: 4\nB: -3\nValue must be positive.\nB: 5");
}

TEST_F(UserInput, EnterIsNoneUnlessRefused)
{
    start();
    answer({"", "", "7"});
    ads_real value = 1;
    EXPECT_EQ(acedGetReal("\nA: ", &value), RTNONE);
    EXPECT_EQ(value, 1.0);  // untouched
    acedInitGet(RSG_NONULL, nullptr);
    EXPECT_EQ(acedGetReal("\nB: ", &value), RTNORM);
    EXPECT_EQ(value, 7.0);
}

TEST_F(UserInput, ControlsApplyToTheNextCallOnly)
{
    start();
    answer({"0", "0"});
    acedInitGet(RSG_NOZERO, nullptr);
    ads_real value = 1;
    answer({"0", "3", "0"});
    EXPECT_EQ(acedGetReal("\nA: ", &value), RTNORM);
    EXPECT_EQ(value, 3.0);
    EXPECT_EQ(acedGetReal("\nB: ", &value), RTNORM);
    EXPECT_EQ(value, 0.0);
}

TEST_F(UserInput, KeywordsAnswerKwordWithTheFullKeyword)
{
    start();
    answer({"ri", "x", "b"});
    acedInitGet(0, "Left Right");
    ads_real value = 0;
    EXPECT_EQ(acedGetReal("\nWidth or [Left/Right]: ", &value), RTKWORD);
    char text[512];
    EXPECT_EQ(acedGetInput(text), RTNORM);
    EXPECT_STREQ(text, "Right");

    acedInitGet(0, "Left Right Both");
    EXPECT_EQ(acedGetKword("\nSide: ", text), RTNORM);
    EXPECT_STREQ(text, "Both");
    EXPECT_NE(out().find("\nSide: x\nInvalid option keyword.\nSide: b"), std::string::npos);
}

TEST_F(UserInput, AmbiguousAbbreviationsAreAskedAgain)
{
    start();
    answer({"l", "lef"});
    acedInitGet(0, "Left LIne");
    char text[512];
    EXPECT_EQ(acedGetKword("\nK: ", text), RTNORM);
    EXPECT_STREQ(text, "Left");
    EXPECT_NE(out().find("Ambiguous response"), std::string::npos);
}

TEST_F(UserInput, IntegersMustBeWholeAndInRange)
{
    start();
    answer({"3.5", "40000", "12"});
    int value = 0;
    EXPECT_EQ(acedGetInt("\nN: ", &value), RTNORM);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(out(), "\nN: 3.5\nRequires an integer value."
                     "\nN: 40000\nRequires an integer between -32768 and 32767.\nN: 12");
}

TEST_F(UserInput, PointsAreWorldOrRelativeToTheLastPointWhichTheyUpdate)
{
    start();
    answer({"1,2", "@3,4,5", "here"});
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, "\nP: ", p), RTNORM);
    EXPECT_EQ(acedGetPoint(nullptr, "\nQ: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[0], 4);
    EXPECT_DOUBLE_EQ(p[1], 6);
    EXPECT_DOUBLE_EQ(p[2], 5);
    resbuf rb;
    ASSERT_EQ(acedGetVar("LASTPOINT", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RT3DPOINT);
    EXPECT_DOUBLE_EQ(rb.resval.rpoint[0], 4);
    EXPECT_DOUBLE_EQ(rb.resval.rpoint[2], 5);
    // A word without keywords is no point; the input then ends: cancel.
    EXPECT_EQ(acedGetPoint(nullptr, "\nR: ", p), RTCAN);
    EXPECT_NE(out().find("\nR: here\nInvalid point."), std::string::npos);
}

TEST_F(UserInput, DistanceFromABasePointOrTyped)
{
    start();
    answer({"3,4", "2.5", "0,0", "6,8"});
    ads_point base = {0, 0, 0};
    ads_real d = 0;
    EXPECT_EQ(acedGetDist(base, "\nD: ", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 5.0);
    EXPECT_EQ(acedGetDist(base, "\nD: ", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 2.5);
    EXPECT_EQ(acedGetDist(nullptr, "\nD: ", &d), RTNORM);  // two points asked
    EXPECT_DOUBLE_EQ(d, 10.0);
}

TEST_F(UserInput, CancelAndEndOfInput)
{
    Session& s = start();
    answer({"^C"});
    ads_real value = 0;
    EXPECT_EQ(acedGetReal("\nA: ", &value), RTCAN);
    EXPECT_NE(out().find("*Cancel*"), std::string::npos);
    EXPECT_EQ(s.exitStatus(), 0);  // a cancel is an answer, not a failure
    EXPECT_EQ(acedGetReal("\nB: ", &value), RTCAN);
    EXPECT_EQ(s.exitStatus(), 1);  // the input ended while a prompt waited
    EXPECT_NE(err().find("test:1: the input ended while a prompt waited: B:"), std::string::npos);
}

TEST_F(UserInput, TextAnswersStandAsTypedAndAreCutAtWholeCharacters)
{
    start();
    answer({"  two words ", "\xE4\xB8\xAD\xE6\x96\x87"});  // two 3-byte characters
    char text[512];
    EXPECT_EQ(acedGetString(1, "\nT: ", text), RTNORM);
    EXPECT_STREQ(text, "  two words ");
    char small[5];
    EXPECT_EQ(acedGetString(1, "\nT: ", small, sizeof small), RTNORM);
    EXPECT_STREQ(small, "\xE4\xB8\xAD");
}

TEST_F(UserInput, QuietModeShowsNoDialogue)
{
    start(true);
    answer({"0", "4"});
    acedInitGet(RSG_NOZERO, nullptr);
    ads_real value = 0;
    EXPECT_EQ(acedGetReal("\nA: ", &value), RTNORM);
    EXPECT_EQ(out(), "");
}
