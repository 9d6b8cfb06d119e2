// An entity as a selection filter sees it: its type (0), layer (8), colour number (62,
// 256 for by-layer) and extended-data application names (1001) directly, every other
// group code from the fields the entity writes as an entity list (collected once, on the
// first such question); references to other objects as their handles.
#pragma once

#include "host/ed/SelectionFilter.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class AcDbEntity;

namespace dh::ed {

class EntityFilterSubject : public FilterSubject {
public:
    EntityFilterSubject(const AcDbEntity& entity, std::string layerName);
    std::vector<FilterValue> valuesOf(int groupCode) const override;

private:
    std::vector<FilterValue> applicationNames() const;

    const AcDbEntity& m_entity;
    std::string m_layerName;
    mutable std::optional<std::map<int, std::vector<FilterValue>>> m_fields;
};

}  // namespace dh::ed
