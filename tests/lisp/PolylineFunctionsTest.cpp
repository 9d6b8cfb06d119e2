// The polyline functions called from LISP in a host session with Kelvane loaded, on
// polylines and splines added to the session's drawing; new entities are read back.
#include "tests/frame/ModuleHost.h"
#include "tests/toolkit/CurveTrace.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbObjectIterator.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include <unistd.h>

namespace {

using dh::toolkit::test::makePolyline;
using dh::toolkit::test::PlineVertex;

class PolylineFunctions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.load("Kelvane")); }

    AcDbDatabase* db() { return acdbHostApplicationServices()->workingDatabase(); }

    // Appends the entity to model space and answers the LISP expression that names it.
    std::string add(AcDbEntity* entity)
    {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        char handle[32] = {};
        id.handle().getIntoAsciiBuffer(handle);
        return std::string("(handent \"") + handle + "\")";
    }

    // The entity a LISP result names ("<Entity name: 2a>"), or a null id.
    AcDbObjectId named(const std::string& printed)
    {
        unsigned long long handle = 0;
        if (std::sscanf(printed.c_str(), "<Entity name: %llx>", &handle) != 1)
            return {};
        AcDbObjectId id;
        db()->getAcDbObjectId(id, false, AcDbHandle(handle));
        return id;
    }

    std::string eval(const std::string& line) { return m_host.eval(line); }

    // The numbers of a printed LISP value, in order, compared with the expected ones to
    // 1e-9: ((x y z) . bulge) lists, whatever rounding noise the printer shows.
    void expectNumbers(const std::string& line, const std::vector<double>& expected)
    {
        const std::string printed = eval(line);
        std::vector<double> found;
        for (const char* at = printed.c_str(); *at != '\0';) {
            char* end = nullptr;
            const double value = std::strtod(at, &end);
            if (end == at) {
                ++at;
                continue;
            }
            found.push_back(value);
            at = end;
        }
        ASSERT_EQ(found.size(), expected.size()) << line << " gave " << printed;
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_NEAR(found[i], expected[i], 1e-9) << line << " gave " << printed;
    }

    // A 2D polyline through the points with the bulges, at the elevation.
    AcDb2dPolyline* polyline2d(const std::vector<PlineVertex>& vertices, bool closed, double elevation = 0.0)
    {
        auto* polyline = new AcDb2dPolyline;
        for (const PlineVertex& v : vertices)
            polyline->appendVertex(new AcDb2dVertex(AcGePoint3d(v.x, v.y, elevation), v.bulge, 0.4, 0.6));
        polyline->setElevation(elevation);
        if (closed)
            polyline->makeClosed();
        return polyline;
    }

    dh::test::ModuleHost m_host;
};

TEST_F(PolylineFunctions, ListPolyLineGivesEveryCurveVertexWithItsBulge)
{
    AcDbPolyline* raised = makePolyline({{0, 0, 0.5}, {10, 0}, {10, 10}}, true);
    raised->setElevation(5.0);
    const std::string lw = add(raised);
    EXPECT_EQ(eval("(Cur_ListPolyLine " + lw + ")"),
              "(((0.0 0.0 5.0) . 0.5) ((10.0 0.0 5.0) . 0.0) ((10.0 10.0 5.0) . 0.0))");

    // Spline-fitted: the control vertices are left out.
    AcDb2dPolyline* fitted = polyline2d({{0, 0}, {5, 9}, {10, 0, -0.25}, {15, 9}}, false, 2.0);
    const std::string old = add(fitted);
    AcDb2dPolyline* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, named(eval(old)), AcDb::kForWrite), Acad::eOk);
    std::unique_ptr<AcDbObjectIterator> it(opened->vertexIterator());
    int index = 0;
    for (it->start(); !it->done(); it->step(), ++index) {
        AcDb2dVertex* vertex = nullptr;
        ASSERT_EQ(opened->openVertex(vertex, it->objectId(), AcDb::kForWrite), Acad::eOk);
        vertex->setVertexType(index % 2 ? AcDb::k2dSplineCtlVertex : AcDb::k2dSplineFitVertex);
        vertex->close();
    }
    opened->close();
    EXPECT_EQ(eval("(Cur_ListPolyLine " + old + ")"), "(((0.0 0.0 2.0) . 0.0) ((10.0 0.0 2.0) . -0.25))");

    const std::string line = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
    EXPECT_EQ(eval("(Cur_ListPolyLine " + line + ")"), "nil");
    EXPECT_EQ(eval("(Cur_ListPolyLine " + lw + " 1)"), "nil");
    EXPECT_EQ(eval("(Cur_ListPolyLine)"), "nil");
}

TEST_F(PolylineFunctions, IsClockwiseByTheEnclosedArea)
{
    const std::vector<PlineVertex> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(eval("(Cur_isClockwise " + add(makePolyline(square, true)) + ")"), "1");
    EXPECT_EQ(eval("(Cur_isClockwise " + add(makePolyline({square.rbegin(), square.rend()}, true)) + ")"),
              "-1");
    EXPECT_EQ(eval("(Cur_isClockwise " + add(makePolyline(square, false)) + ")"), "0");
    // Counter-clockwise with nine reflex corners along a concave top and four convex ones.
    std::vector<PlineVertex> bitten = {{0, 0}, {10, 0}, {10, 10}};
    for (int x = 9; x >= 1; --x)
        bitten.push_back({double(x), 10.0 - 3.0 * std::sin(3.14159265358979 * x / 10.0)});
    bitten.push_back({0, 10});
    EXPECT_EQ(eval("(Cur_isClockwise " + add(makePolyline(bitten, true)) + ")"), "1");
    EXPECT_EQ(eval(R"((Cur_isClockwise "text"))"), "nil");
    EXPECT_EQ(eval("(Cur_isClockwise " + add(polyline2d(square, true)) + ")"), "nil");
}

TEST_F(PolylineFunctions, ReverseTowardsAddsABackwardsCopy)
{
    const std::string source = add(makePolyline({{0, 0, 0.5}, {10, 0}, {10, 10}}));
    const std::string result = eval("(setq r (Cur_ReverseTowards " + source + "))");
    const AcDbObjectId copy = named(result);
    ASSERT_FALSE(copy.isNull()) << result;
    EXPECT_NE(copy, named(eval(source)));
    expectNumbers("(Cur_ListPolyLine r)", {10, 10, 0, 0, 10, 0, 0, -0.5, 0, 0, 0, 0});
    EXPECT_EQ(eval("(Cur_ListPolyLine " + source + ")"),
              "(((0.0 0.0 0.0) . 0.5) ((10.0 0.0 0.0) . 0.0) ((10.0 10.0 0.0) . 0.0))");

    const std::string ring = add(makePolyline({{0, 0}, {10, 0}, {10, 10}}, true));
    eval("(setq r (Cur_ReverseTowards " + ring + "))");
    EXPECT_EQ(eval("(cdr (assoc 70 (entget r)))"), "1");
    EXPECT_EQ(eval("(Cur_ListPolyLine r)"),
              "(((0.0 0.0 0.0) . 0.0) ((10.0 10.0 0.0) . 0.0) ((10.0 0.0 0.0) . 0.0))");

    EXPECT_EQ(eval("(Cur_ReverseTowards " + add(makePolyline({{1, 1}})) + ")"), "nil");
    EXPECT_EQ(eval("(Cur_ReverseTowards " + source + " 2)"), "nil");
}

TEST_F(PolylineFunctions, RarefyThinsInPlaceAndAnswersTEvenForNothing)
{
    std::vector<PlineVertex> straight;
    for (int i = 0; i < 10; ++i)
        straight.push_back({i * 3.0, i * 4.0});
    const std::string line = add(makePolyline(straight));
    EXPECT_EQ(eval("(Cur_RarefyLwPL " + line + " 0.0 3 1)"), "T");
    EXPECT_EQ(eval("(length (Cur_ListPolyLine " + line + "))"), "10");
    EXPECT_EQ(eval("(Cur_RarefyLwPL " + line + " 0.0 0 0 \"more\")"), "T");
    EXPECT_EQ(eval("(Cur_ListPolyLine " + line + ")"), "(((0.0 0.0 0.0) . 0.0) ((27.0 36.0 0.0) . 0.0))");

    // Negative tolerance and indices count as 0.
    const std::string other = add(makePolyline(straight));
    EXPECT_EQ(eval("(Cur_RarefyLwPL " + other + " -1.0 -4 -2)"), "T");
    EXPECT_EQ(eval("(length (Cur_ListPolyLine " + other + "))"), "2");

    for (const char* bad : {" 0 0 0)", " 0.0 0)", " 0.0 0.0 0)", " 0.0 0 100000)", ")"})
        EXPECT_EQ(eval("(Cur_RarefyLwPL " + line + bad), "nil") << bad;
    EXPECT_EQ(eval("(Cur_RarefyLwPL " + add(polyline2d(straight, false)) + " 0.0 0 0)"), "nil");
}

TEST_F(PolylineFunctions, PolyToLWConvertsOldStylePolylines)
{
    const std::string source = add(polyline2d({{0, 0, 0.5}, {10, 0}, {10, 10, -1.0}, {0, 10}}, true, 3.5));
    const std::string result = eval("(setq r (Cur_PolyToLW " + source + "))");
    const AcDbObjectId made = named(result);
    ASSERT_FALSE(made.isNull()) << result;
    EXPECT_EQ(eval("(cdr (assoc 0 (entget r)))"), R"("LWPOLYLINE")");
    EXPECT_EQ(eval("(cdr (assoc 38 (entget r)))"), "3.5");
    EXPECT_EQ(eval("(cdr (assoc 70 (entget r)))"), "1");
    expectNumbers("(Cur_ListPolyLine r)", {0, 0, 3.5, 0.5, 10, 0, 3.5, 0, 10, 10, 3.5, -1, 0, 10, 3.5, 0});
    AcDbPolyline* converted = nullptr;
    ASSERT_EQ(acdbOpenObject(converted, made, AcDb::kForRead), Acad::eOk);
    for (unsigned int i = 0; i < converted->numVerts(); ++i) {
        double start = 0.0, end = 0.0;
        converted->getWidthsAt(i, start, end);
        EXPECT_EQ(start, 0.4); // the first vertex's start width, on every segment
        EXPECT_EQ(end, 0.4);
    }
    converted->close();
    EXPECT_EQ(eval("(cdr (assoc 0 (entget " + source + ")))"), R"("POLYLINE")");

    // Nothing to convert: the given name comes back.
    const std::string lone = add(polyline2d({{4, 4}}, false));
    EXPECT_EQ(eval("(Cur_PolyToLW " + lone + ")"), eval(lone));
    EXPECT_EQ(eval("(Cur_PolyToLW " + add(makePolyline({{0, 0}, {1, 1}})) + ")"), "nil");
    EXPECT_EQ(eval("(Cur_PolyToLW " + source + " 1)"), "nil");
}

TEST_F(PolylineFunctions, SplineToLWSamplesWithinTheDistance)
{
    AcGePoint3dArray fit;
    for (const AcGePoint3d& p : {AcGePoint3d(0, 0, 7), AcGePoint3d(10, 8, 7), AcGePoint3d(20, -3, 7),
                                 AcGePoint3d(35, 12, 7), AcGePoint3d(50, 0, 7)})
        fit.append(p);
    const std::string spline = add(new AcDbSpline(fit));
    const std::string fine = eval("(setq f (Cur_SPlineToLW " + spline + " 0.01))");
    const std::string coarse = eval("(setq c (Cur_SPlineToLW " + spline + " 1.0))");
    ASSERT_FALSE(named(fine).isNull()) << fine;
    ASSERT_FALSE(named(coarse).isNull()) << coarse;
    EXPECT_LT(std::stoi(eval("(length (Cur_ListPolyLine c))")), std::stoi(eval("(length (Cur_ListPolyLine f))")));
    EXPECT_EQ(eval("(cdr (assoc 38 (entget f)))"), "7.0");
    EXPECT_EQ(eval("(car (Cur_ListPolyLine f))"), "((0.0 0.0 7.0) . 0.0)");

    // The polyline stays within 0.01 of the spline.
    AcDbSpline* curve = nullptr;
    AcDbPolyline* polyline = nullptr;
    ASSERT_EQ(acdbOpenObject(curve, named(eval(spline)), AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(polyline, named(fine), AcDb::kForRead), Acad::eOk);
    EXPECT_LE(dh::toolkit::test::farthestFrom(*polyline, dh::toolkit::test::tracePoints(*curve, 1000)), 0.01 * (1 + 1e-9));
    polyline->close();
    curve->close();

    for (const char* bad : {")", " 1)", " 0.01 2)"})
        EXPECT_EQ(eval("(Cur_SPlineToLW " + spline + bad), "nil") << bad;
    EXPECT_EQ(eval("(Cur_SPlineToLW " + add(makePolyline({{0, 0}, {1, 1}})) + " 0.1)"), "nil");
}


// drafthost converts every old-style polyline and spline of real drawings; ezdxf compares
// each source with its conversion (tests/lisp/polyline_check.py).
TEST(PolylineFunctionsOnFiles, ConversionsOfRealDrawingsMatchTheirSources)
{
    const char* source = std::getenv("DH_SOURCE_DIR");
    const char* binary = std::getenv("DH_BINARY_DIR");
    ASSERT_TRUE(source && binary);
    const std::string corpus = std::string(source) + "/../shared/data/dxf/";
    const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                       ("polyline-files-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);
    const std::string script = (work / "convert.scr").string();
    std::ofstream(script) << R"((defun pair (e r) (princ (strcat (cdr (assoc 5 (entget e))) " "
  (cond ((null r) "nil") ((equal r e) "same") (t (cdr (assoc 5 (entget r))))) "\n")))
(setq ss (ssget "X" '((0 . "POLYLINE"))) i 0)
(while (and ss (< i (sslength ss))) (pair (ssname ss i) (Cur_PolyToLW (ssname ss i))) (setq i (1+ i)))
(setq ss (ssget "X" '((0 . "SPLINE"))) i 0)
(while (and ss (< i (sslength ss))) (pair (ssname ss i) (Cur_SPlineToLW (ssname ss i) 0.01)) (setq i (1+ i)))
)";
    struct File {
        const char* name;
        int conversions;
    };
    // Counts as ezdxf sees them: 2D polylines (not 3D ones or meshes) and splines.
    for (const File& file : {File{"ezdxf__POLI-ALL210_12.DXF", 30}, File{"libredwg__example_r12.dxf", 11},
                             File{"skymakerolof__issue53.dxf", 121}, File{"zcad__printer_BLOCK_bug.dxf", 45}}) {
        SCOPED_TRACE(file.name);
        const std::string saved = (work / "converted.dxf").string();
        const std::string pairs = (work / "pairs.txt").string();
        int status = 0;
        const std::string drafthost = std::string(binary) + "/bin/drafthost ";
        dh::test::ModuleHost::runCommand(
            drafthost + corpus + file.name + " -q -s " + script + " -o " + saved + " > " + pairs + " 2>&1", status);
        ASSERT_EQ(status, 0);
        const std::string check = "/usr/bin/python3 " + std::string(source) + "/tests/lisp/polyline_check.py ";
        const std::string verdict = dh::test::ModuleHost::runCommand(
            check + corpus + file.name + " " + saved + " " + pairs + " 0.01 2>&1", status);
        EXPECT_EQ(status, 0) << verdict;
        EXPECT_EQ(verdict, "ok " + std::to_string(file.conversions) + "\n");
        std::ifstream printed(pairs);
        std::string all((std::istreambuf_iterator<char>(printed)), std::istreambuf_iterator<char>());
        EXPECT_EQ(all.find("; warning"), std::string::npos) << all;
    }
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
}

} // namespace
