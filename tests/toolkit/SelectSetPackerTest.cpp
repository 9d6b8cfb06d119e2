// Selections through the packer: statuses, mode strings, point lists, ids.
#include "ToolkitSession.h"

#include "toolkit/SelectSetPacker.h"

#include <acdb/AcDbLine.h>

namespace dh::toolkit::test {
namespace {

using Packer = ToolkitSession;

TEST_F(Packer, InteractiveModeStringFollowsTheOptionsInOrder)
{
    const AcDbObjectId line = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    SelectSetPacker packer;
    answer({""});
    EXPECT_EQ(packer.selectInteractive(nullptr), kNothingSelected);
    EXPECT_EQ(packer.modeString(), "");
    EXPECT_EQ(packer.length(), 0);

    packer.singlePick = true;
    packer.rejectLocked = true;
    answer({handleOf(line)});
    EXPECT_EQ(packer.selectInteractive(nullptr), kSelected);
    EXPECT_EQ(packer.modeString(), "+L+.:S:L");
    AcArray<AcDbObjectId> ids;
    packer.objectIds(ids);
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], line);

    packer.singlePick = false;
    packer.rejectLocked = false;
    packer.allowDuplicates = true;
    answer({"^C"});
    EXPECT_EQ(packer.selectInteractive(nullptr), kSelectCancelled);
    EXPECT_EQ(packer.modeString(), ":D");
    EXPECT_EQ(packer.length(), 0);
}

TEST_F(Packer, EmptyPointListsSelectNothingWithoutAskingTheHost)
{
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    SelectSetPacker packer;
    EXPECT_EQ(packer.selectAll(nullptr), kSelected);
    EXPECT_EQ(packer.selectFence(AcGePoint3dArray(), nullptr), kSelectCancelled);
    EXPECT_EQ(packer.length(), 0);
    EXPECT_EQ(packer.selectCrossingPolygon(AcGePoint3dArray(), nullptr), kSelectCancelled);
    EXPECT_EQ(pointsToResbufList(AcGePoint3dArray()), nullptr);
}

TEST_F(Packer, FenceAndCrossingFindWhatTheyCross)
{
    const AcDbObjectId a = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId b = add(new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(10, 5, 0)));
    SelectSetPacker packer;
    AcGePoint3dArray fence;
    fence.append(AcGePoint3d(5, -1, 0));
    fence.append(AcGePoint3d(5, 1, 0));
    EXPECT_EQ(packer.selectFence(fence, nullptr), kSelected);
    AcArray<AcDbObjectId> ids;
    packer.objectIds(ids);
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], a);

    // A box far outside the view is zoomed to before the crossing selection.
    const AcDbObjectId far = add(new AcDbLine(AcGePoint3d(5000, 5000, 0), AcGePoint3d(5010, 5000, 0)));
    EXPECT_EQ(packer.selectCrossingBox(AcGePoint3d(4990, 4990, 0), AcGePoint3d(5020, 5010, 0),
                                       nullptr),
              kSelected);
    ids.removeAll();
    packer.objectIds(ids);
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], far);

    // Nothing under the box: an empty set is held.
    EXPECT_EQ(packer.selectCrossingBox(AcGePoint3d(4000, 4000, 0), AcGePoint3d(4001, 4001, 0),
                                       nullptr),
              kNothingSelected);
    EXPECT_EQ(packer.length(), 0);
    (void)b;
}

TEST_F(Packer, IdsMakeASetThatCanLoseMembers)
{
    const AcDbObjectId a = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    const AcDbObjectId b = add(new AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(10, 5, 0)));
    SelectSetPacker packer;
    ads_name name = {0, 0};
    EXPECT_EQ(packer.fromObjectIds(AcArray<AcDbObjectId>{a, b, a}, name), kSelected);
    EXPECT_EQ(packer.length(), 2);
    EXPECT_TRUE(packer.remove(a));
    EXPECT_FALSE(packer.remove(a));
    AcArray<AcDbObjectId> ids;
    packer.objectIds(ids);
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], b);

    AcDbObjectId found;
    EXPECT_EQ(selectEntityAtPoint(AcGePoint3d(5, 5, 0), found), 3);
    EXPECT_EQ(found, b);
    EXPECT_EQ(selectEntityAtPoint(AcGePoint3d(5, 300, 0), found), 1);
}

} // namespace
} // namespace dh::toolkit::test
