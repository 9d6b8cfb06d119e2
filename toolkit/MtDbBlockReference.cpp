#include "toolkit/MtDbBlockReference.h"

#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbObjectIterator.h>

#include <memory>

namespace dh::toolkit {

int MtDbBlockReference::getAttributeIds(const AcDbBlockReference* reference,
                                        AcArray<AcDbObjectId>& ids)
{
    std::unique_ptr<AcDbObjectIterator> iterator(reference->attributeIterator());
    if (!iterator)
        return 0;
    for (iterator->start(); !iterator->done(); iterator->step())
        ids.append(iterator->objectId());
    return 0;
}

Acad::ErrorStatus MtDbBlockReference::getDefinitionEntityIds(const AcDbBlockReference* reference,
                                                             AcArray<AcDbObjectId>& ids, int limit)
{
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, reference->blockTableRecord(), AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    AcDbBlockTableRecordIterator* iterator = nullptr;
    es = block->newIterator(iterator, true, true);
    if (es == Acad::eOk) {
        int index = 0;
        for (iterator->start(); !iterator->done() && index <= limit; iterator->step(), ++index) {
            AcDbObjectId id;
            es = iterator->getEntityId(id);
            if (es != Acad::eOk)
                break;
            ids.append(id);
        }
        delete iterator;
    }
    block->close();
    return es;
}

} // namespace dh::toolkit
