// Text extents by the host's metric, alignment, transforms and the multi-line box.
#include <acdb/AcDbMText.h>
#include <acdb/AcDbText.h>
#include <acgi/AcGiTextStyle.h>

#include "host/db/entities/GeomAssert.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

TEST(TextMetric, FullWidthCharactersAreTwiceAsWide)
{
    AcGiTextStyle style;
    style.setTextSize(2.0);
    EXPECT_EQ(style.loadStyleRec(), 1);
    EXPECT_DOUBLE_EQ(style.extents("12.5").x, 4.0);         // 4 × 0.5 × 2
    EXPECT_DOUBLE_EQ(style.extents("\xE9\xAB\x98\xE7\xA8\x8B").x, 4.0); // two CJK characters
    EXPECT_DOUBLE_EQ(style.extents("\xE9\xAB\x98" "A").x, 3.0);
    EXPECT_DOUBLE_EQ(style.extents("12.5").y, 2.0);
    style.setXScale(0.8);
    EXPECT_DOUBLE_EQ(style.extents("ab").x, 1.6);
    // %%d is one character (a degree sign), %%u only switches underlining.
    EXPECT_DOUBLE_EQ(style.extents("%%u45%%d").x, 0.8 * 3);
    EXPECT_DOUBLE_EQ(style.extents("%%u45%%d", false, -1, true).x, 0.8 * 8);
    EXPECT_DOUBLE_EQ(style.extents("12.5", false, 2).x, 1.6);
}

TEST(TextExtents, RotatedTextBox)
{
    AcDbText text(AcGePoint3d(10, 10, 0), "GH", AcDbObjectId::kNull, 3.0, kPi / 2);
    AcDbExtents ext;
    ASSERT_EQ(text.getGeomExtents(ext), Acad::eOk);
    // 3 wide along +y, 3 high towards −x.
    EXPECT_NEAR3D(ext.minPoint(), AcGePoint3d(7, 10, 0));
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(10, 13, 0));
    text.setWidthFactor(2.0);
    text.getGeomExtents(ext);
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(10, 16, 0));
}

TEST(TextExtents, AlignmentPlacesTheBaselineStart)
{
    AcDbText text(AcGePoint3d(0, 0, 0), "ABCD", AcDbObjectId::kNull, 1.0);
    text.setHorizontalMode(AcDb::kTextRight);
    text.setVerticalMode(AcDb::kTextTop);
    text.setAlignmentPoint(AcGePoint3d(10, 10, 0));
    ASSERT_EQ(text.adjustAlignment(), Acad::eOk);
    EXPECT_NEAR3D(text.position(), AcGePoint3d(8, 9, 0));

    AcDbText fitted(AcGePoint3d(0, 0, 0), "ABCD", AcDbObjectId::kNull, 1.0);
    fitted.setHorizontalMode(AcDb::kTextFit);
    fitted.setAlignmentPoint(AcGePoint3d(8, 0, 0));
    fitted.adjustAlignment();
    EXPECT_NEAR(fitted.widthFactor(), 4.0, 1e-12);
}

TEST(TextTransform, MirrorAndScaleKeepTheTextReadable)
{
    AcDbText text(AcGePoint3d(1, 0, 0), "AB", AcDbObjectId::kNull, 2.0);
    ASSERT_EQ(text.transformBy(AcGeMatrix3d::scaling(3.0)), Acad::eOk);
    EXPECT_NEAR(text.height(), 6.0, 1e-12);
    EXPECT_NEAR3D(text.position(), AcGePoint3d(3, 0, 0));
    std::unique_ptr<AcDbText> copy(AcDbText::cast(text.clone()));
    EXPECT_STREQ(copy->textStringConst(), "AB");
    ASSERT_EQ(copy->transformBy(AcGeMatrix3d::rotation(kPi, AcGeVector3d::kZAxis)), Acad::eOk);
    EXPECT_NEAR(copy->rotation(), kPi, 1e-12);
    EXPECT_NEAR3D(copy->position(), AcGePoint3d(-3, 0, 0));
}

TEST(MTextExtents, LinesAttachmentAndWrapping)
{
    AcDbMText mtext;
    mtext.setLocation(AcGePoint3d(0, 0, 0));
    mtext.setTextHeight(3.0);
    mtext.setContents("{\\fArial;AB}\\PABCD");
    mtext.setAttachment(AcDbMText::kMiddleCenter);
    // Two lines: 4 × 0.5 × 3 = 6 wide; 3 + 5/3 × 3 = 8 high, centred on the location.
    EXPECT_DOUBLE_EQ(mtext.actualWidth(), 6.0);
    EXPECT_DOUBLE_EQ(mtext.actualHeight(), 8.0);
    AcDbExtents ext;
    mtext.getGeomExtents(ext);
    EXPECT_NEAR3D(ext.minPoint(), AcGePoint3d(-3, -4, 0));
    EXPECT_NEAR3D(ext.maxPoint(), AcGePoint3d(3, 4, 0));
    EXPECT_EQ(mtext.text(), "AB\nABCD");

    AcDbVoidPtrArray parts;
    ASSERT_EQ(mtext.explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 2);
    auto* second = static_cast<AcDbText*>(parts[1]);
    EXPECT_STREQ(second->textStringConst(), "ABCD");
    EXPECT_NEAR3D(second->position(), AcGePoint3d(-3, -4, 0)); // the bottom line's baseline
    for (void* p : parts)
        delete static_cast<AcDbEntity*>(p);

    // Words 2, 2 and 1 wide with 0.5 wide spaces: a width of 3 holds one word a line, a
    // width of 5 the first two.
    AcDbMText wrapped;
    wrapped.setTextHeight(1.0);
    wrapped.setWidth(3.0);
    wrapped.setContents("AAAA BBBB CC");
    EXPECT_DOUBLE_EQ(wrapped.actualHeight(), 1.0 + 2 * 5.0 / 3.0);
    wrapped.setWidth(5.0);
    EXPECT_DOUBLE_EQ(wrapped.actualHeight(), 1.0 + 5.0 / 3.0);
    EXPECT_DOUBLE_EQ(wrapped.actualWidth(), 4.5);
}

} // namespace
