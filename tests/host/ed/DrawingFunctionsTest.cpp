// The drawing builtins of the LISP: walking the entities, handles, entget lists, entdel.
#include "EditorFixture.h"

using dh::ed::Session;
using dh::ed::test::EditorTest;

using DrawingFunctions = EditorTest;

TEST_F(DrawingFunctions, WalkFirstNextAndLast)
{
    start(true);
    EXPECT_EQ(run({"(entnext)", "(entlast)"}), 0);
    EXPECT_EQ(out(), "nil\nnil\n");  // an empty drawing
    AcDbObjectId a = addLine(0, 0, 1, 0);
    AcDbObjectId b = addLine(0, 0, 2, 0);
    clearOutput();
    EXPECT_EQ(run({"(equal (entnext (entnext)) (entlast))", "(entnext (entlast))"}), 0);
    EXPECT_EQ(out(), "T\nnil\n");
    std::string ha = a.handle().toString(), hb = b.handle().toString();
    clearOutput();
    EXPECT_EQ(run({"(equal (handent \"" + ha + "\") (entnext))",
                   "(handent \"FFFFF\")", "(handent \"zz\")"}),
              0);
    EXPECT_EQ(out(), "T\nnil\nnil\n");
}

TEST_F(DrawingFunctions, EntgetListsTheEntitysGroups)
{
    start(true);
    AcDbObjectId id = addLine(1, 2, 10, 20);
    std::string handle = id.handle().toString();
    EXPECT_EQ(run({"(setq e (entget (entlast)))", "(cdr (assoc 0 e))", "(cdr (assoc 5 e))",
                   "(cdr (assoc 8 e))", "(cdr (assoc 10 e))", "(cdr (assoc 11 e))",
                   "(equal (cdr (assoc -1 e)) (entlast))"}),
              0);
    std::string text = out();
    std::size_t firstLineEnd = text.find('\n');
    ASSERT_NE(firstLineEnd, std::string::npos);
    EXPECT_EQ(text.substr(firstLineEnd + 1),
              "\"LINE\"\n\"" + handle + "\"\n\"0\"\n(1.0 2.0 0.0)\n(10.0 20.0 0.0)\nT\n");
    // The printed list opens with the name, the type and the handle, in that order.
    EXPECT_EQ(text.rfind("((-1 . <Entity name: ", 0), 0u) << text;
    EXPECT_NE(text.find("(0 . \"LINE\") (5 . \"" + handle + "\")"), std::string::npos) << text;
}

TEST_F(DrawingFunctions, EntdelErasesAndBringsBack)
{
    start(true);
    addLine(0, 0, 1, 0);
    EXPECT_EQ(run({"(setq e (entlast))", "(entdel e)", "(entlast)", "(entdel e)",
                   "(equal (entlast) e)"}),
              0);
    std::string text = out();
    // entdel answers the name both times; while erased the drawing is empty.
    EXPECT_NE(text.find(">\nnil\n<Entity name: "), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "T\n");
}

TEST_F(DrawingFunctions, BadArgumentsAreLispErrors)
{
    start(true);
    EXPECT_EQ(run({"(entget \"x\")"}), 1);
    EXPECT_EQ(out(), "; error: bad argument type: lentityp: \"x\"\n");
}
