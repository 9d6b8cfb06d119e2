// The embedder's side of the interpreter: builtin tables, argument checks, opaque names,
// walking and building values, output, error reporting and nesting limits.
#include "host/lispeval/Interpreter.h"
#include "host/lispeval/Error.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <stdexcept>
#include <string>

namespace dh::lisp {
namespace {

// What the editor does: entity names and selection sets carry two longs and a label.
Value entity(long id, const char* handle)
{
    return Value::entityName(id, 0, handle);
}

class InterpreterTest : public ::testing::Test
{
protected:
    InterpreterTest()
    {
        m_interp.setOutput([this](std::string_view text) { m_output += text; });
    }

    // The single printed result, or the error text.
    std::string run(const std::string& text)
    {
        EvalResult result = m_interp.evaluate(text);
        if (!result.ok()) {
            return result.error;
        }
        return result.printed.empty() ? "<none>" : result.printed.back();
    }

    Interpreter m_interp;
    std::string m_output;
};

TEST_F(InterpreterTest, BuiltinTableIsRegisteredAndCalledCaseInsensitively)
{
    int calls = 0;
    const Builtin table[] = {
        {"entlast",
         [&](Interpreter&, const Args& args) {
             args.expect(0);
             ++calls;
             return entity(0x1f, "1f");
         }},
        {"Twice",
         [](Interpreter&, const Args& args) {
             args.expect(1);
             return Value::integer(2 * args.integer(0));
         }},
    };
    m_interp.defineBuiltins(table);
    EXPECT_EQ("<Entity name: 1f>", run("(entlast)"));
    EXPECT_EQ("<Entity name: 1f>", run("(ENTLAST)"));
    EXPECT_EQ(2, calls);
    EXPECT_EQ("42", run("(twice 21)"));
    EXPECT_EQ("; error: too many arguments", run("(entlast 1)"));
    EXPECT_EQ("; error: bad argument type: fixnump: 2.5", run("(twice 2.5)"));
    EXPECT_EQ("SUBR", run("(type entlast)"));
    EXPECT_TRUE(m_interp.isBuiltin("ENTLAST"));
}

TEST_F(InterpreterTest, UndefineRemovesBuiltinsOnly)
{
    m_interp.defineBuiltin("Str_Split", [](Interpreter&, const Args&) { return Value::t(); });
    EXPECT_EQ("T", run("(str_split)"));
    EXPECT_TRUE(m_interp.undefine("STR_SPLIT"));
    EXPECT_EQ("; error: no function definition: STR_SPLIT", run("(Str_Split)"));
    EXPECT_FALSE(m_interp.undefine("str_split"));

    run("(defun mine () 1) (setq keep 5)");
    EXPECT_FALSE(m_interp.undefine("mine"));
    EXPECT_FALSE(m_interp.undefine("keep"));
    EXPECT_EQ("1", run("(mine)"));
    EXPECT_EQ("5", run("keep"));
}

// One namespace: whichever definition came last is the one called.
TEST_F(InterpreterTest, TheLatestDefinitionOfANameWins)
{
    run("(defun area () \"user\")");
    m_interp.defineBuiltin("area",
                           [](Interpreter&, const Args&) { return Value::string("module"); });
    EXPECT_EQ("\"module\"", run("(area)"));
    run("(defun area () \"user again\")");
    EXPECT_EQ("\"user again\"", run("(area)"));
    EXPECT_TRUE(m_interp.undefine("area"));
    EXPECT_EQ("\"user again\"", run("(area)"));
}

TEST_F(InterpreterTest, RedefiningABuiltinReplacesIt)
{
    m_interp.defineBuiltin("f", [](Interpreter&, const Args&) { return Value::integer(1); });
    m_interp.defineBuiltin("F", [](Interpreter&, const Args&) { return Value::integer(2); });
    EXPECT_EQ("2", run("(f)"));
}

TEST_F(InterpreterTest, ArgumentHelpersWordErrorsAsTheHost)
{
    m_interp.defineBuiltin("take", [](Interpreter&, const Args& args) {
        args.expect(2, 3);
        args.entityName(0);
        args.selectionSet(1);
        if (args.has(2)) {
            args.point(2);
        }
        return Value::t();
    });
    m_interp.defineBuiltin(
        "ss", [](Interpreter&, const Args&) { return Value::selectionSet(3, 0, "3"); });
    m_interp.defineBuiltin("en", [](Interpreter&, const Args&) { return entity(0x2a, "2a"); });

    EXPECT_EQ("; error: too few arguments", run("(take (en))"));
    EXPECT_EQ("; error: too many arguments", run("(take (en) (ss) '(1 2) 4)"));
    EXPECT_EQ("; error: bad argument type: lentityp: \"x\"", run("(take \"x\" (ss))"));
    EXPECT_EQ("; error: bad argument type: lselsetp: <Entity name: 2a>", run("(take (en) (en))"));
    EXPECT_EQ("; error: bad argument type: 2D/3D point: (1 2 3 4)",
              run("(take (en) (ss) '(1 2 3 4))"));
    EXPECT_EQ("T", run("(take (en) (ss) '(1 2.5))"));
}

TEST_F(InterpreterTest, PointArgumentsAreTwoOrThreeNumbers)
{
    Args args("P", {Value::list({Value::integer(1), Value::real(2.5)}), Value::point(1, 2, 3),
                    Value::list({Value::integer(1)}),
                    Value::cons(Value::integer(1), Value::integer(2))});
    Args::Point p2 = args.point(0);
    EXPECT_FALSE(p2.is3d);
    EXPECT_DOUBLE_EQ(1.0, p2.x);
    EXPECT_DOUBLE_EQ(2.5, p2.y);
    EXPECT_DOUBLE_EQ(0.0, p2.z);
    Args::Point p3 = args.point(1);
    EXPECT_TRUE(p3.is3d);
    EXPECT_DOUBLE_EQ(3.0, p3.z);
    EXPECT_THROW(args.point(2), Error);
    EXPECT_THROW(args.point(3), Error);
    EXPECT_THROW(args.point(4), Error); // missing: too few arguments
}

TEST_F(InterpreterTest, OpaqueNamesCompareByTheirLongsAndPrintTheirLabel)
{
    Value a = Value::entityName(7, 1, "1f");
    Value same = Value::entityName(7, 1, "1f");
    Value other = Value::entityName(8, 1, "20");
    EXPECT_TRUE(a.eq(same));
    EXPECT_TRUE(a.equal(same));
    EXPECT_FALSE(a.eq(other));
    EXPECT_FALSE(a.equal(Value::selectionSet(7, 1, "1f")));
    EXPECT_EQ("<Selection set: 3>", Value::selectionSet(3, 0, "3").toString());
    EXPECT_EQ(7, a.asName().id[0]);
    EXPECT_EQ(1, a.asName().id[1]);

    m_interp.setGlobal("e1", a);
    m_interp.setGlobal("s1", Value::selectionSet(3, 0, "3"));
    EXPECT_EQ("ENAME", run("(type e1)"));
    EXPECT_EQ("PICKSET", run("(type s1)"));
    EXPECT_EQ("((-1 . <Entity name: 1f>) (0 . \"LINE\"))",
              run("(list (cons -1 e1) '(0 . \"LINE\"))"));
    EXPECT_EQ("(-1 . <Entity name: 1f>)", run("(assoc -1 (list (cons -1 e1)))"));
}

TEST_F(InterpreterTest, ResultsCanBeWalkedAsTheEditorConvertsThem)
{
    m_interp.setGlobal("en", entity(0x1f, "1f"));
    Value v =
        m_interp.evaluate("(list 1 2.5 \"s\" '(1.0 2.0) '(8 . \"0\") nil t en 70000)").values.at(0);
    ASSERT_TRUE(v.isProperList());
    std::vector<Value> items = v.items();
    ASSERT_EQ(9u, items.size());
    EXPECT_EQ(1, items[0].asInt());
    EXPECT_DOUBLE_EQ(2.5, items[1].asReal());
    EXPECT_EQ("s", items[2].asString());
    EXPECT_TRUE(items[3].isProperList());
    EXPECT_EQ(2u, items[3].length());
    EXPECT_TRUE(items[4].isDottedPair());
    EXPECT_EQ(8, items[4].car().asInt());
    EXPECT_EQ("0", items[4].cdr().asString());
    EXPECT_TRUE(items[5].isNil());
    EXPECT_TRUE(items[6].isT());
    EXPECT_TRUE(items[7].isEntityName());
    EXPECT_EQ(70000, items[8].asInt());
    EXPECT_FALSE(items[3].isDottedPair());
}

TEST_F(InterpreterTest, ValuesBuiltByTheEmbedderPrintAsLisp)
{
    ListBuilder pairs;
    pairs.add(Value::cons(Value::point(1, 2, 0), Value::real(0.5)));
    pairs.add(Value::cons(Value::point(3, 4, 0), Value::real(0)));
    EXPECT_EQ("(((1.0 2.0 0.0) . 0.5) ((3.0 4.0 0.0) . 0.0))", pairs.finish().toString());
    EXPECT_EQ("(1 2 . 3)",
              Value::list({Value::integer(1), Value::integer(2)}, Value::integer(3)).toString());
    EXPECT_EQ("(\"C:\\\\A\" \"C:\\\\B\")",
              Value::list({Value::string("C:\\A"), Value::string("C:\\B")}).toString());
    EXPECT_EQ("nil", ListBuilder().finish().toString());
    EXPECT_EQ("FOO", Value::symbol("foo").toString());
    EXPECT_TRUE(Value::symbol("nil").isNil());
    EXPECT_EQ("", Value::voidValue().toString());
}

TEST_F(InterpreterTest, EvaluatePrintsEachFormAndStopsAtTheFirstError)
{
    EvalResult result = m_interp.evaluate("(setq a 1) \"two\" (princ) (car 1) (setq a 2)");
    EXPECT_EQ(EvalResult::Status::Error, result.status);
    EXPECT_EQ((std::vector<std::string>{"1", "\"two\"", ""}), result.printed);
    EXPECT_EQ("; error: bad argument type: consp: 1", result.error);
    EXPECT_EQ("1", run("a"));
    EXPECT_EQ("3\n; error: divide by zero\n", m_interp.rep("(+ 1 2) (/ 1 0)"));
    EXPECT_TRUE(m_interp.evaluate("   ").printed.empty());
}

TEST_F(InterpreterTest, OutputGoesToTheSink)
{
    run("(princ \"a\\tb\") (prin1 \"q\") (print 'x) (terpri)");
    EXPECT_EQ("a\tb\"q\"\nX \n", m_output);
}

TEST_F(InterpreterTest, StrayExceptionsOfABuiltinBecomeLispErrors)
{
    m_interp.defineBuiltin("boom", [](Interpreter&, const Args&) -> Value {
        throw std::runtime_error("function failed");
    });
    EXPECT_EQ("; error: function failed", run("(progn (setq before 1) (boom) (setq after 1))"));
    EXPECT_EQ("1", run("before"));
    EXPECT_EQ("nil", run("after"));
    EXPECT_EQ("; error: function failed", run("(boom)"));
}

TEST_F(InterpreterTest, BuiltinsMayCallBackIntoTheInterpreter)
{
    // As the editor's command runs LISP while a LISP call is in progress.
    m_interp.defineBuiltin("nested", [](Interpreter& interp, const Args& args) {
        EvalResult inner = interp.evaluate(args.string(0));
        return inner.ok() ? inner.values.back() : Value::string(inner.error);
    });
    EXPECT_EQ("6", run("(+ 1 (nested \"(+ 2 3)\"))"));
    EXPECT_EQ("\"; error: divide by zero\"", run("(nested \"(/ 1 0)\")"));
    EXPECT_EQ(
        "3",
        run("(defun twice (x) (* 2 x)) (nested \"(twice 1.5)\") (fix (nested \"(twice 1.5)\"))"));
}

TEST_F(InterpreterTest, EmbedderCallsReachUserFunctions)
{
    run("(defun area (w h) (* w h))");
    EXPECT_EQ(12, m_interp.call("AREA", {Value::integer(3), Value::integer(4)}).asInt());
    EXPECT_THROW(m_interp.call("area", {Value::integer(3)}), Error);
    EXPECT_THROW(m_interp.call("missing", {}), Error);
    EXPECT_EQ(
        3, m_interp.apply(m_interp.global("area"), {Value::integer(1), Value::integer(3)}).asInt());
}

TEST_F(InterpreterTest, GlobalsSetByTheEmbedderAreSeenByLisp)
{
    m_interp.setGlobal("lastpt", Value::point(1, 2, 0));
    EXPECT_EQ("(1.0 2.0 0.0)", run("lastpt"));
    run("(setq fromlisp \"x\")");
    EXPECT_EQ("x", m_interp.global("FROMLISP").asString());
    m_interp.setGlobal("fromlisp", Value());
    EXPECT_EQ("nil", run("(boundp 'fromlisp)"));
}

TEST_F(InterpreterTest, StackBudgetTurnsDeepRecursionIntoAnError)
{
    run("(defun deep (n) (if (= n 0) 0 (1+ (deep (1- n)))))");
    m_interp.setStackBudget(64 * 1024);
    EXPECT_EQ("; error: stack overflow: recursion too deep", run("(deep 100000)"));
    EXPECT_EQ("5", run("(deep 5)"));
}

TEST_F(InterpreterTest, CancelStopsTheRunningProgramOnly)
{
    m_interp.defineBuiltin("esc", [](Interpreter& interp, const Args&) {
        interp.requestCancel();
        return Value();
    });
    EXPECT_EQ("; error: Function cancelled", run("(progn (esc) (setq after 1))"));
    EXPECT_EQ("nil", run("after"));
    EXPECT_EQ("; error: Function cancelled", run("(while t (esc))"));
    EXPECT_EQ("; error: Function cancelled", run("(repeat 5 (esc))"));
    EXPECT_EQ("3", run("(+ 1 2)"));
    m_interp.requestCancel(); // while idle: the next program is not affected
    EXPECT_EQ("3", run("(+ 1 2)"));
}

// A thread with a small stack must get the error too, not a crash.
TEST_F(InterpreterTest, RecursionOnASmallThreadStackFailsCleanly)
{
    struct Job
    {
        Interpreter* interp;
        std::string result;
    } job{&m_interp, {}};
    run("(defun deep (n) (if (= n 0) 0 (1+ (deep (1- n)))))");
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 512 * 1024);
    pthread_t thread;
    auto body = [](void* p) -> void* {
        auto* j = static_cast<Job*>(p);
        j->result = j->interp->evaluate("(deep 1000000)").error;
        return nullptr;
    };
    ASSERT_EQ(0, pthread_create(&thread, &attr, body, &job));
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    EXPECT_EQ("; error: stack overflow: recursion too deep", job.result);
}

} // namespace
} // namespace dh::lisp
