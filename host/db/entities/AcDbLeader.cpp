#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbLeader.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbSpline.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/entities/CurveDelegation.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/PointChain.h"

ACRX_DEFINE_MEMBERS(AcDbLeader, AcDbCurve)

bool AcDbLeader::appendVertex(const AcGePoint3d& point)
{
    if (assertWriteEnabled() != Acad::eOk)
        return false;
    m_vertices.push_back(point);
    return true;
}

void AcDbLeader::removeLastVertex()
{
    if (assertWriteEnabled() == Acad::eOk && !m_vertices.empty())
        m_vertices.pop_back();
}

AcGePoint3d AcDbLeader::firstVertex() const
{
    return m_vertices.empty() ? AcGePoint3d() : m_vertices.front();
}

AcGePoint3d AcDbLeader::lastVertex() const
{
    return m_vertices.empty() ? AcGePoint3d() : m_vertices.back();
}

AcGePoint3d AcDbLeader::vertexAt(int index) const
{
    return index >= 0 && index < numVertices() ? m_vertices[static_cast<size_t>(index)] : AcGePoint3d();
}

bool AcDbLeader::setVertexAt(int index, const AcGePoint3d& point)
{
    if (index < 0 || index >= numVertices() || assertWriteEnabled() != Acad::eOk)
        return false;
    m_vertices[static_cast<size_t>(index)] = point;
    return true;
}

Acad::ErrorStatus AcDbLeader::attachAnnotation(AcDbObjectId annotationId)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_annotation = annotationId;
    return es;
}

dh::db::PointChain AcDbLeader::shape() const
{
    return dh::db::PointChain(m_vertices, false);
}

DH_DELEGATE_CURVE_TO_SHAPE(AcDbLeader)

Acad::ErrorStatus AcDbLeader::getSplitCurves(const AcGeDoubleArray&, AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbLeader::getSplitCurves(const AcGePoint3dArray&, AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbLeader::getSpline(AcDbSpline*& spline) const
{
    Acad::ErrorStatus es = shape().getSpline(spline);
    if (es == Acad::eOk)
        spline->setPropertiesFrom(this);
    return es;
}

Acad::ErrorStatus AcDbLeader::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    for (AcGePoint3d& p : m_vertices)
        p.transformBy(xform);
    AcGeVector3d n = m_normal, h = m_horizontal;
    n.transformBy(xform);
    h.transformBy(xform);
    if (!n.isZeroLength())
        m_normal = n.normal();
    if (!h.isZeroLength())
        m_horizontal = h.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::explode(AcDbVoidPtrArray& entities) const
{
    for (size_t i = 0; i + 1 < m_vertices.size(); ++i) {
        if (m_vertices[i].isEqualTo(m_vertices[i + 1]))
            continue;
        auto* line = new AcDbLine(m_vertices[i], m_vertices[i + 1]);
        line->setPropertiesFrom(this);
        entities.append(line);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLeader::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbLeader");
    const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style));
    filer->writeString(3, style ? style->getName() : (m_styleName.empty() ? "Standard" : m_styleName));
    filer->writeInt16(71, m_arrowHead ? 1 : 0);
    filer->writeInt16(72, static_cast<std::int16_t>(m_pathType));
    filer->writeInt16(73, static_cast<std::int16_t>(m_creation));
    filer->writeInt16(74, static_cast<std::int16_t>(m_hooklineDirection));
    filer->writeInt16(75, static_cast<std::int16_t>(m_hookline));
    filer->writeDouble(40, m_textHeight);
    filer->writeDouble(41, m_textWidth);
    filer->writeInt16(76, static_cast<std::int16_t>(m_vertices.size()));
    for (const AcGePoint3d& p : m_vertices)
        filer->writePoint3d(10, p);
    filer->writeVector3d(210, m_normal);
    filer->writeVector3d(211, m_horizontal);
    if (!m_annotation.isNull())
        filer->writeObjectId(340, m_annotation);
    return Acad::eOk;
}

void AcDbLeader::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbCurve::translateIds(map);
    if (!m_style.isNull()) {
        if (const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style)))
            m_styleName = style->getName();
        m_style = map(m_style);
    }
    // Before the copy joins a drawing its annotation may not be copied yet: it is kept
    // for the translation made once everything is copied.
    if (const AcDbObjectId mapped = map(m_annotation); !mapped.isNull() || database())
        m_annotation = mapped;
}

Acad::ErrorStatus AcDbLeader::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    m_vertices.clear();
    es = dh::db::readSubclass(filer, "AcDbLeader", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 3: m_styleName = tag.text; break;
        case 71: m_arrowHead = tag.integer != 0; break;
        case 72: m_pathType = static_cast<int>(tag.integer); break;
        case 73: m_creation = static_cast<int>(tag.integer); break;
        case 74: m_hooklineDirection = static_cast<int>(tag.integer); break;
        case 75: m_hookline = static_cast<int>(tag.integer); break;
        case 40: m_textHeight = tag.real(); break;
        case 41: m_textWidth = tag.real(); break;
        case 10: m_vertices.push_back(dh::db::tagPoint(tag)); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 211: m_horizontal = dh::db::tagVector(tag); break;
        case 340: filer->objectIdForHandle(static_cast<std::uint64_t>(tag.integer), m_annotation); break;
        default: break;
        }
    });
    if (AcDbDatabase* db = filer->database(); db && !m_styleName.empty())
        m_style = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kDimStyle, m_styleName.c_str());
    return es;
}
