// Isolating and restoring layers of the working drawing.
#include "ToolkitSession.h"

#include "toolkit/LayerUtilities.h"

namespace dh::toolkit::test {
namespace {

class LayerUtilities : public ToolkitSession {
protected:
    AcDbLayerTableRecord* open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead)
    {
        AcDbLayerTableRecord* layer = nullptr;
        EXPECT_EQ(acdbOpenObject(layer, id, mode), Acad::eOk);
        return layer;
    }
    bool isOff(AcDbObjectId id)
    {
        AcDbLayerTableRecord* layer = open(id);
        const bool off = layer->isOff();
        layer->close();
        return off;
    }
};

TEST_F(LayerUtilities, AnEmptyListTurnsEveryLayerOffTheCurrentOneToo)
{
    const AcDbObjectId a = addLayer("A");
    const AcDbObjectId current = db()->clayer();
    isolateLayers(AcArray<AcDbObjectId>());
    EXPECT_TRUE(isOff(a));
    EXPECT_TRUE(isOff(current));
}

TEST_F(LayerUtilities, ListedLayersStayOnAndRestoreThawsAndUnlocks)
{
    const AcDbObjectId a = addLayer("A");
    const AcDbObjectId b = addLayer("B");
    const AcDbObjectId c = addLayer("C");
    AcDbLayerTableRecord* layer = open(c, AcDb::kForWrite);
    layer->setIsFrozen(true);
    layer->setIsLocked(true);
    layer->setIsOff(true);
    layer->close();

    isolateLayers(AcArray<AcDbObjectId>{b, b, c});
    EXPECT_TRUE(isOff(a));
    EXPECT_FALSE(isOff(b));
    EXPECT_FALSE(isOff(c));
    layer = open(c);
    EXPECT_TRUE(layer->isFrozen()); // untouched
    EXPECT_TRUE(layer->isLocked());
    layer->close();

    restoreAllLayers();
    for (AcDbObjectId id : {a, b, c, db()->clayer()}) {
        layer = open(id);
        EXPECT_FALSE(layer->isOff());
        EXPECT_FALSE(layer->isFrozen());
        EXPECT_FALSE(layer->isLocked());
        layer->close();
    }
}

} // namespace
} // namespace dh::toolkit::test
