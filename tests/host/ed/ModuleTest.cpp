// The test module through the real entry points: loading, a command's dialogue, LISP
// functions with their argument and result conversion, leaks, several drawings, unloading.
#include "EditorFixture.h"

#include "host/ed/Document.h"
#include "host/ed/ModuleManager.h"

#include <acap/AcApDocManager.h>

using dh::ed::Session;
using dh::ed::test::EditorTest;
using dh::ed::test::testModulePath;

class ModuleRun : public EditorTest {
protected:
    Session& startWithModule(bool quiet)
    {
        Session& s = start(quiet);
        std::string error;
        EXPECT_NE(s.modules().load(testModulePath(), error), nullptr) << error;
        return s;
    }
};

TEST_F(ModuleRun, CommandDialogueTranscript)
{
    startWithModule(false);
    AcDbObjectId id = addLine(0, 0, 10, 0);
    std::string handle = id.handle().toString();
    EXPECT_EQ(run({"askall", "1,2", "0", "", "r", "#" + handle}), 0);
    EXPECT_EQ(out(), "Command: askall"
                     "\nBase point: 1,2"
                     "\nPoint: 1.00,2.00,0.00"
                     "\nScale <2.50>: 0"
                     "\nValue must be positive and nonzero."
                     "\nScale <2.50>: "
                     "\nScale: 2.500"
                     "\nSide [Left/Right/Both]: r"
                     "\nSide: Right"
                     "\nSelect entity: #" + handle +
                     "\nEntity: AcDbLine " + handle + "\n");
}

TEST_F(ModuleRun, CommandNamesMatchAnyCaseAndPrefix)
{
    startWithModule(true);
    EXPECT_EQ(run({"_ASKALL", "^C", "._askall", "^C", ".AskAll", "^C"}), 0);
    EXPECT_EQ(err(), "");
}

TEST_F(ModuleRun, ArgumentsBecomeTheHostsResultBufferTypes)
{
    startWithModule(true);
    EXPECT_EQ(run({"(tm-types 1 70000 2.5 \"s\" '(1 2) '(1 2 3) '(1 \"a\") '(1 . 2) nil T)"}), 0);
    // RTSHORT RTLONG RTREAL RTSTR RTPOINT RT3DPOINT, RTLB RTSHORT RTSTR RTLE,
    // RTLB RTSHORT RTDOTE RTSHORT RTLE, RTNIL, RTT
    EXPECT_EQ(out(), "(5003 5010 5001 5005 5002 5009 5016 5003 5005 5017 5016 5003 5018 5003 "
                     "5017 5019 5021)\n");
}

TEST_F(ModuleRun, ResultsComeBackAsLispValues)
{
    startWithModule(true);
    EXPECT_EQ(run({"(tm-list 1 \"a\" '(1 . \"b\") '(1 2) '(\"x\" (2 3 4)) nil)", "(tm-sum 1 2)",
                   "(tm-sum 1 2.5)", "(tm-sum 32767 1)", "(tm-void)"}),
              0);
    EXPECT_EQ(out(), "(1 \"a\" (1 . \"b\") (1.0 2.0) (\"x\" (2.0 3.0 4.0)) nil)\n3\n3.5\n32768\n");
}

TEST_F(ModuleRun, NoResultIsAFailedFunction)
{
    startWithModule(true);
    EXPECT_EQ(run({"(tm-fail)"}), 1);
    EXPECT_EQ(out(), "; error: function failed\n");
}

TEST_F(ModuleRun, LeakedResultBufferIsReported)
{
    startWithModule(true);
    EXPECT_EQ(run({"(tm-leak-buffer)"}), 0);
    EXPECT_EQ(out(), "T\n; warning: 1 result buffer not released\n");
}

TEST_F(ModuleRun, ObjectLeftOpenIsReportedWithClassAndHandle)
{
    startWithModule(true);
    AcDbObjectId id = addLine(0, 0, 1, 1);
    EXPECT_EQ(run({"(tm-leak-open (entlast))", "(tm-sum 1 1)"}), 0);
    EXPECT_EQ(out(), "T\n; warning: AcDbLine " + id.handle().toString() +
                         " left open for read\n2\n");  // reported once, then closed
}

TEST_F(ModuleRun, LeakedSelectionSetIsReported)
{
    startWithModule(true);
    EXPECT_EQ(run({"(tm-leak-set)"}), 0);
    EXPECT_NE(out().find("; warning: selection set "), std::string::npos);
    EXPECT_NE(out().find(" not freed\n"), std::string::npos);
}

TEST_F(ModuleRun, EveryDrawingGetsTheFunctions)
{
    Session& s = startWithModule(true);
    s.newDocument();
    EXPECT_EQ(run({"(tm-load-count)", "(tm-created)"}), 0);
    // kLoadDwgMsg for the first drawing at load and for the second at creation; the
    // reactor added at load heard of the second only.
    EXPECT_EQ(out(), "2\n1\n");
}

TEST_F(ModuleRun, UnloadRemovesCommandsAndFunctions)
{
    Session& s = startWithModule(true);
    EXPECT_EQ(run({"(arxunload \"EdTestModule\")"}), 0);
    EXPECT_EQ(s.modules().modules().size(), 0u);
    clearOutput();
    EXPECT_EQ(run({"(tm-sum 1 2)"}), 1);
    EXPECT_EQ(out(), "; error: no function definition: TM-SUM\n");
    EXPECT_EQ(run({"ASKALL"}), 1);
    EXPECT_EQ(acDocManager->curDocument(), static_cast<AcApDocument*>(s.activeDocument()));
}

TEST_F(ModuleRun, LoadingTwiceOrAMissingModuleIsRefused)
{
    Session& s = startWithModule(true);
    std::string error;
    EXPECT_EQ(s.modules().load(testModulePath(), error), nullptr);
    EXPECT_NE(error.find("already loaded"), std::string::npos);
    EXPECT_EQ(s.modules().load("/nonexistent/Nothing.so", error), nullptr);
    EXPECT_EQ(run({"(arxload \"/nonexistent/Nothing.so\" \"fallback\")"}), 0);
    EXPECT_EQ(out(), "\"fallback\"\n");
}

TEST_F(ModuleRun, WrongInterfaceVersionIsRefused)
{
    Session& s = start(true);
    std::string error;
    EXPECT_EQ(s.modules().load(dh::ed::test::binaryDir() + "/bin/EdOldModule.so", error), nullptr);
    EXPECT_NE(error.find("interface version 0x000F0000"), std::string::npos) << error;
}
