// Each entity's DXF fields read back into an equal entity: written, read into a fresh
// object, written again, the two group lists agree; a few groups are checked against the
// drawing format by hand (angles in degrees, points in the object's own coordinates).
#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDb2dVertex.h>
#include <acdb/AcDb3dPolyline.h>
#include <acdb/AcDb3dPolylineVertex.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDimension.h>
#include <acdb/AcDbEllipse.h>
#include <acdb/AcDbLeader.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSpline.h>
#include <acdb/AcDbText.h>

#include "host/db/entities/GeomAssert.h"
#include "host/db/entities/RecordingFiler.h"

#include <functional>
#include <memory>
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;

struct Sample {
    std::string name;
    std::function<AcDbEntity*()> make;  // a filled entity
    std::function<AcDbEntity*()> blank; // a fresh one of the same class
};

std::string describe(const AcDbDxfTag& t)
{
    return std::to_string(t.code) + ":" + t.text + ":" + std::to_string(t.integer) + ":" + std::to_string(t.xyz[0])
        + "," + std::to_string(t.xyz[1]) + "," + std::to_string(t.xyz[2]);
}

std::vector<Sample> samples()
{
    return {
        {"line", [] { return new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6)); }, [] { return new AcDbLine; }},
        {"arc", [] { return new AcDbArc(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, -1), 2.0, 0.5, 2.0); },
         [] { return new AcDbArc; }},
        {"circle", [] { return new AcDbCircle(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 1, 1), 4.0); },
         [] { return new AcDbCircle; }},
        {"ellipse", [] { return new AcDbEllipse(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, AcGeVector3d(3, 4, 0), 0.4, 0.1, 3.0); },
         [] { return new AcDbEllipse; }},
        {"spline", [] {
             AcGePoint3dArray fit;
             fit.append(AcGePoint3d(0, 0, 0));
             fit.append(AcGePoint3d(2, 3, 0));
             fit.append(AcGePoint3d(5, 1, 0));
             return new AcDbSpline(fit);
         },
         [] { return new AcDbSpline; }},
        {"polyline", [] {
             auto* p = new AcDbPolyline;
             p->addVertexAt(0, AcGePoint2d(0, 0), 0.5, 1.0, 2.0);
             p->addVertexAt(1, AcGePoint2d(5, 0), 0.0, 2.0, 0.0);
             p->addVertexAt(2, AcGePoint2d(5, 5));
             p->setClosed(true);
             p->setElevation(12.5);
             return p;
         },
         [] { return new AcDbPolyline; }},
        {"2d polyline", [] {
             auto* p = new AcDb2dPolyline;
             p->setElevation(3.0);
             p->makeClosed();
             p->setPolyType(AcDb::k2dCubicSplinePoly);
             return p;
         },
         [] { return new AcDb2dPolyline; }},
        {"2d vertex", [] {
             auto* v = new AcDb2dVertex(AcGePoint3d(1, 2, 0), 0.25, 1.0, 0.5);
             v->setVertexType(AcDb::k2dSplineFitVertex);
             return v;
         },
         [] { return new AcDb2dVertex; }},
        {"3d polyline", [] { return new AcDb3dPolyline; }, [] { return new AcDb3dPolyline; }},
        {"3d vertex", [] {
             auto* v = new AcDb3dPolylineVertex(AcGePoint3d(1, 2, 3));
             v->setVertexType(AcDb::k3dControlVertex);
             return v;
         },
         [] { return new AcDb3dPolylineVertex; }},
        {"point", [] { return new AcDbPoint(AcGePoint3d(1, 2, 3)); }, [] { return new AcDbPoint; }},
        {"text", [] {
             auto* t = new AcDbText(AcGePoint3d(1, 2, 0), "H\xE9\xAB\x98", AcDbObjectId::kNull, 2.5, kPi / 6);
             t->setHorizontalMode(AcDb::kTextCenter);
             t->setVerticalMode(AcDb::kTextTop);
             t->setAlignmentPoint(AcGePoint3d(3, 4, 0));
             t->setWidthFactor(0.8);
             return t;
         },
         [] { return new AcDbText; }},
        {"mtext", [] {
             auto* m = new AcDbMText;
             std::string text;
             for (int i = 0; i < 120; ++i)
                 text += "\xE9\xAB\x98"; // 360 bytes of three-byte characters: cut into chunks
             m->setContents(("{\\H2;" + text + "}\\Pend").c_str());
             m->setLocation(AcGePoint3d(5, 6, 0));
             m->setAttachment(AcDbMText::kBottomRight);
             m->setWidth(40.0);
             return m;
         },
         [] { return new AcDbMText; }},
        {"attribute", [] {
             auto* a = new AcDbAttribute(AcGePoint3d(1, 1, 0), "12.3", "ELEV");
             a->setHeight(1.5);
             a->setInvisible(true);
             return a;
         },
         [] { return new AcDbAttribute; }},
        {"attribute definition", [] {
             auto* a = new AcDbAttributeDefinition(AcGePoint3d(1, 1, 0), "0", "ELEV", "Elevation?");
             a->setConstant(true);
             return a;
         },
         [] { return new AcDbAttributeDefinition; }},
        {"leader", [] {
             auto* l = new AcDbLeader;
             l->appendVertex(AcGePoint3d(0, 0, 0));
             l->appendVertex(AcGePoint3d(1, 1, 0));
             return l;
         },
         [] { return new AcDbLeader; }},
        {"dimension", [] {
             auto* d = new AcDbRotatedDimension;
             d->setXLine1Point(AcGePoint3d(0, 0, 0));
             d->setXLine2Point(AcGePoint3d(10, 0, 0));
             d->setDimLinePoint(AcGePoint3d(10, 5, 0));
             d->setRotation(kPi / 2);
             d->setDimensionText("<> m");
             return d;
         },
         [] { return new AcDbRotatedDimension; }},
    };
}

class DxfFields : public ::testing::TestWithParam<Sample> {};

TEST_P(DxfFields, ReadBackWritesTheSameGroups)
{
    std::unique_ptr<AcDbEntity> source(GetParam().make());
    RecordingFiler first;
    ASSERT_EQ(source->dxfOutFields(&first), Acad::eOk);
    first.rewind();
    std::unique_ptr<AcDbEntity> read(GetParam().blank());
    ASSERT_EQ(read->dxfInFields(&first), Acad::eOk);
    EXPECT_TRUE(first.atEOF()) << "groups left unread";
    EXPECT_TRUE(first.errors().empty());
    RecordingFiler second;
    ASSERT_EQ(read->dxfOutFields(&second), Acad::eOk);
    ASSERT_EQ(second.tags().size(), first.tags().size());
    for (size_t i = 0; i < first.tags().size(); ++i)
        EXPECT_EQ(describe(second.tags()[i]), describe(first.tags()[i])) << "group " << i;
    AcDbExtents a, b;
    if (source->getGeomExtents(a) == Acad::eOk && read->getGeomExtents(b) == Acad::eOk) {
        EXPECT_NEAR3D(b.minPoint(), a.minPoint());
        EXPECT_NEAR3D(b.maxPoint(), a.maxPoint());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, DxfFields, ::testing::ValuesIn(samples()), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (c == ' ')
            c = '_';
    return name;
});

TEST(DxfGroups, ArcAnglesInDegreesAndCentreInItsOwnPlane)
{
    // Seen from below (normal −Z) the object x axis is world −x.
    AcDbArc arc(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 0, -1), 2.0, kPi / 2, kPi);
    RecordingFiler filer;
    arc.dxfOutFields(&filer);
    EXPECT_EQ(filer.valuesOf(10), std::vector<std::string>{"-1.000000,2.000000,-3.000000"});
    EXPECT_EQ(filer.valuesOf(50), std::vector<std::string>{"90.000000"});
    EXPECT_EQ(filer.valuesOf(51), std::vector<std::string>{"180.000000"});
    EXPECT_EQ(filer.valuesOf(210), std::vector<std::string>{"0.000000,0.000000,-1.000000"});
}

TEST(DxfGroups, LightweightPolylineVertexGroups)
{
    AcDbPolyline pline;
    pline.addVertexAt(0, AcGePoint2d(0, 0), 0.5);
    pline.addVertexAt(1, AcGePoint2d(3, 4));
    pline.setElevation(7.0);
    pline.setClosed(true);
    RecordingFiler filer;
    pline.dxfOutFields(&filer);
    EXPECT_EQ(filer.valuesOf(90), std::vector<std::string>{"2"});
    EXPECT_EQ(filer.valuesOf(70), std::vector<std::string>{"1"});
    EXPECT_EQ(filer.valuesOf(38), std::vector<std::string>{"7.000000"});
    EXPECT_EQ(filer.valuesOf(42), std::vector<std::string>{"0.500000"});
    EXPECT_EQ(filer.valuesOf(10).size(), 2u);
    EXPECT_TRUE(filer.valuesOf(40).empty()); // one constant width (43) instead
}

TEST(DxfGroups, MTextChunksNeverCutACharacter)
{
    AcDbMText mtext;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "\xE9\xAB\x98";
    mtext.setContents(text.c_str());
    RecordingFiler filer;
    mtext.dxfOutFields(&filer);
    const std::vector<std::string> head = filer.valuesOf(3);
    ASSERT_EQ(head.size(), 1u);
    EXPECT_EQ(head[0].size(), 249u); // 83 whole characters fit in 250 bytes
    EXPECT_EQ(head[0] + filer.valuesOf(1).at(0), text);
}

} // namespace
