// Script lines through the session: LISP results and errors, commands, comments, the
// transcript in normal and quiet mode, and one LISP world per drawing.
#include "EditorFixture.h"

#include "host/ed/Document.h"

using dh::ed::Session;
using dh::ed::test::EditorTest;

using SessionRun = EditorTest;

TEST_F(SessionRun, QuietModePrintsOnlyLispResults)
{
    start(true);
    EXPECT_EQ(run({"(setq a (list 1 2.5 \"x\"))", "(cadr a)", "(+ 1 2)"}), 0);
    EXPECT_EQ(out(), "(1 2.5 \"x\")\n2.5\n3\n");
}

TEST_F(SessionRun, NormalModeShowsTheCommandLine)
{
    start();
    EXPECT_EQ(run({"(+ 1 2)", "; a comment", "", "(princ \"hi\")"}), 0);
    EXPECT_EQ(out(), "Command: (+ 1 2)\n3\nCommand: (princ \"hi\")hi\n\"hi\"\n");
}

TEST_F(SessionRun, LispErrorFailsTheRunButTheNextLinesRun)
{
    start(true);
    EXPECT_EQ(run({"(car 1)", "(+ 2 2)"}), 1);
    EXPECT_EQ(out().substr(0, 9), "; error: ");
    EXPECT_NE(out().find("\n4\n"), std::string::npos);
    EXPECT_NE(err().find("test:1: error: "), std::string::npos);
}

TEST_F(SessionRun, UnknownCommandFails)
{
    start();
    EXPECT_EQ(run({"FROBNICATE"}), 1);
    EXPECT_NE(out().find("Unknown command \"FROBNICATE\""), std::string::npos);
    EXPECT_NE(err().find("unknown command FROBNICATE"), std::string::npos);
}

TEST_F(SessionRun, ExpressionsMaySpanLines)
{
    start(true);
    EXPECT_EQ(run({"(+ 1", "   2)", "(strcat \"a", "b\")"}), 0);
    EXPECT_EQ(out(), "3\n\"a\\nb\"\n");  // a newline in a string prints as \n
}

TEST_F(SessionRun, AnUnfinishedExpressionAtTheEndFails)
{
    start(true);
    EXPECT_EQ(run({"(+ 1"}), 1);
    EXPECT_NE(out().find("; error: malformed list on input"), std::string::npos);
}

TEST_F(SessionRun, EachDrawingHasItsOwnLisp)
{
    Session& s = start(true);
    EXPECT_EQ(run({"(setq a 1)"}), 0);
    dh::ed::Document* first = s.activeDocument();
    s.newDocument();
    clearOutput();
    EXPECT_EQ(run({"!a", "(setq a 2)"}), 0);
    EXPECT_EQ(out(), "nil\n2\n");  // a is unbound in the new drawing
    s.setActiveDocument(*first);
    clearOutput();
    EXPECT_EQ(run({"!a"}), 0);
    EXPECT_EQ(out(), "1\n");
}

TEST_F(SessionRun, GetvarAndSetvarFollowTheVariableTypes)
{
    start(true);
    EXPECT_EQ(run({"(getvar \"pickbox\")", "(setvar \"CMDECHO\" 0)", "(getvar \"cmdecho\")",
                   "(getvar \"screensize\")", "(getvar \"nosuchvar\")"}),
              0);
    EXPECT_EQ(out(), "3\n0\n0\n(1600.0 900.0)\nnil\n");
    clearOutput();
    EXPECT_EQ(run({"(setvar \"CMDECHO\" 5)"}), 1);  // out of range
    EXPECT_EQ(run({"(setvar \"WORLDUCS\" 0)"}), 1);  // read-only
}
