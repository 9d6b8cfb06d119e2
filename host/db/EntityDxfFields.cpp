// The AcDbEntity subclass group codes: 8 layer, 6 linetype, 62 colour index, 420 true
// colour, 370 line weight, 48 linetype scale, 60 visibility, 67 paper space.
#include <acdb/AcDbEntity.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/XData.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbDxfFiler.h>

#include <cstdlib>

using dh::db::DatabaseAccess;
using dh::db::TableKind;

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    filer->writeSubclass("AcDbEntity");
    AcDbDatabase* db = database();
    if (db && !ownerId().isNull() && ownerId() == db->paperSpaceId())
        filer->writeInt16(67, 1);
    auto* layer = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_layerId));
    filer->writeString(8, layer ? layer->getName() : "0");
    auto* ltype = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_linetypeId));
    if (ltype && !dh::db::sameName(ltype->getName(), "ByLayer"))
        filer->writeString(6, ltype->getName());
    if (!m_color.isByLayer())
        filer->writeInt16(62, static_cast<std::int16_t>(m_color.colorIndex()));
    if (m_color.isByColor())
        filer->writeInt32(420, static_cast<std::int32_t>(m_color.rgb()));
    if (m_lineWeight != AcDb::kLnWtByLayer)
        filer->writeInt16(370, static_cast<std::int16_t>(m_lineWeight));
    if (m_linetypeScale != 1.0)
        filer->writeDouble(48, m_linetypeScale);
    if (m_visibility == AcDb::kInvisible)
        filer->writeInt16(60, 1);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer)
{
    if (!filer->atSubclassData("AcDbEntity"))
        return Acad::eBadDxfSequence;
    AcDbDatabase* db = filer->database();
    AcDbDxfTag tag;
    while (filer->readTag(tag)) {
        switch (tag.code) {
        case 8:
            // An entity on a layer the file never defined brings the layer along.
            if (db)
                m_layerId = DatabaseAccess::ensureRecord(*db, TableKind::kLayer, tag.text.c_str());
            break;
        case 6:
            if (db)
                m_linetypeId = DatabaseAccess::findRecord(*db, TableKind::kLinetype, tag.text.c_str());
            break;
        case 62:
            if (m_color.setColorIndex(static_cast<Adesk::UInt16>(std::abs(tag.integer))) != Acad::eOk)
                filer->reportError("colour index out of range");
            break;
        case 420:
            m_color.setRGB(static_cast<Adesk::UInt8>(tag.integer >> 16),
                           static_cast<Adesk::UInt8>(tag.integer >> 8),
                           static_cast<Adesk::UInt8>(tag.integer));
            break;
        case 370:
            m_lineWeight = static_cast<AcDb::LineWeight>(tag.integer);
            break;
        case 48:
            if (tag.real() > 0.0)
                m_linetypeScale = tag.real();
            break;
        case 60:
            m_visibility = tag.integer ? AcDb::kInvisible : AcDb::kVisible;
            break;
        default:
            break;
        }
    }
    if (db && m_linetypeId.isNull())
        m_linetypeId = DatabaseAccess::findRecord(*db, TableKind::kLinetype, "ByLayer");
    return Acad::eOk;
}
