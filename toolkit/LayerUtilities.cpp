#include "toolkit/LayerUtilities.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTables.h>

#include <memory>

namespace dh::toolkit {
namespace {

std::unique_ptr<AcDbLayerTableIterator> layerIterator()
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbLayerTable* table = nullptr;
    if (!db || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return nullptr;
    AcDbLayerTableIterator* iterator = nullptr;
    const Acad::ErrorStatus es = table->newIterator(iterator, true, true);
    table->close();
    if (es != Acad::eOk)
        return nullptr;
    return std::unique_ptr<AcDbLayerTableIterator>(iterator);
}

// Calls change on every layer of the working drawing that opens for write.
template <class Change>
void changeEveryLayer(Change change)
{
    auto iterator = layerIterator();
    if (!iterator)
        return;
    for (iterator->start(); !iterator->done(); iterator->step()) {
        AcDbLayerTableRecord* layer = nullptr;
        if (iterator->getRecord(layer, AcDb::kForWrite) != Acad::eOk)
            continue;
        change(layer);
        layer->close();
    }
}

} // namespace

void restoreAllLayers()
{
    changeEveryLayer([](AcDbLayerTableRecord* layer) {
        layer->setIsLocked(false);
        layer->setIsFrozen(false);
        layer->setIsOff(false);
    });
}

void isolateLayers(const AcArray<AcDbObjectId>& layerIds)
{
    changeEveryLayer([&layerIds](AcDbLayerTableRecord* layer) {
        layer->setIsOff(!layerIds.contains(layer->objectId()));
    });
}

} // namespace dh::toolkit
