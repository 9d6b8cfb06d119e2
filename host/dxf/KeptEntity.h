// KeptEntity and KeptObject: entities and objects of a DXF file that the database does not
// model (hatches, images, solids, proxies, dictionaries, layouts, …). They hold every
// group after the common entity properties as read and write them back unchanged; handles
// inside them stay valid because the reader keeps the file's handles, and are translated
// when a copy goes into another drawing (KeptHandles). An entity that owns
// followers in the file (an old-style polyline's vertices and end marker) keeps them too.
#pragma once

#include "host/dxf/ObjectTags.h"

#include <acdb/AcDbEntity.h>

namespace dh::dxf {

// A record that follows its owner in the file (VERTEX, SEQEND).
struct FollowerRecord {
    std::string type;
    std::uint64_t handle = 0;
    Tags body;
    Tags xdata;
};

class KeptEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(KeptEntity);
    ACDB_DECLARE_COPY_MEMBERS(KeptEntity)

    KeptEntity() = default;
    explicit KeptEntity(std::string dxfType) : m_type(std::move(dxfType)) {}

    const std::string& dxfType() const { return m_type; }
    // The groups after the AcDbEntity subclass, markers included.
    const Tags& tags() const { return m_tags; }
    Tags& tags() { return m_tags; }
    std::vector<FollowerRecord>& followers() { return m_followers; }
    const std::vector<FollowerRecord>& followers() const { return m_followers; }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::string m_type;
    Tags m_tags;
    std::vector<FollowerRecord> m_followers;
};

class KeptObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(KeptObject);
    ACDB_DECLARE_COPY_MEMBERS(KeptObject)

    KeptObject() = default;
    explicit KeptObject(std::string dxfType) : m_type(std::move(dxfType)) {}

    const std::string& dxfType() const { return m_type; }
    const Tags& tags() const { return m_tags; }
    Tags& tags() { return m_tags; }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::string m_type;
    Tags m_tags;
};

// Writes groups as read through any filer.
void writeTags(AcDbDxfFiler* filer, const Tags& tags);

} // namespace dh::dxf
