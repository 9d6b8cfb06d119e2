#include "host/dxf/KeptHandles.h"

#include "host/dxf/DocumentData.h"
#include "host/dxf/KeptEntity.h"

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbDatabase.h>

#include <algorithm>

namespace dh::dxf {

bool isReferenceCode(int code)
{
    return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 ||
           code == 481 || code == 1005;
}

void translateHandles(Tags& tags, const AcDbDatabase& source, const db::IdMap& map, bool dropLost)
{
    auto& db = const_cast<AcDbDatabase&>(source);
    Tags out;
    out.reserve(tags.size());
    for (AcDbDxfTag& tag : tags) {
        if (tag.kind == AcDbDxfTag::Kind::kHandle && isReferenceCode(tag.code) && tag.integer != 0) {
            AcDbObjectId srcId;
            db.getAcDbObjectId(srcId, false, AcDbHandle(static_cast<std::uint64_t>(tag.integer)));
            const AcDbObjectId mapped = srcId.isNull() ? AcDbObjectId() : map(srcId);
            if (mapped.isNull() && dropLost) continue;
            tag.integer = mapped.isNull() ? 0 : static_cast<std::int64_t>(mapped.handle().value());
        }
        out.push_back(std::move(tag));
    }
    tags = std::move(out);
}

namespace {

// What the codec keeps beside a modelled object goes with its copy: application data
// (reactors to objects left behind are dropped, an emptied group with them) and
// unmodelled groups.
void copyKeptTags(const AcDbObject& source, AcDbObject& copy, const db::IdMap& map)
{
    const AcDbDatabase* from = source.database();
    const DocumentData* data = DocumentData::find(from);
    if (!data || !copy.database()) return;
    const auto it = data->kept.find(source.objectId());
    if (it == data->kept.end()) return;
    KeptTags kept = it->second;
    for (AppDataGroup& group : kept.appData) translateHandles(group.tags, *from, map, true);
    kept.appData.erase(std::remove_if(kept.appData.begin(), kept.appData.end(),
                                      [](const AppDataGroup& g) { return g.tags.empty(); }),
                       kept.appData.end());
    for (KeptGroup& group : kept.groups) translateHandles(group.tags, *from, map, false);
    if (kept.empty()) return;
    if (DocumentData* target = DocumentData::obtain(copy.database()))
        target->kept[copy.objectId()] = std::move(kept);
}

// A dimension the database does not model (ARC_DIMENSION of older releases) names its
// block: the block comes along.
void carryDimensionBlock(const AcDbDatabase& from, const KeptEntity& entity, const db::IdMap& map)
{
    if (entity.dxfType().find("DIMENSION") == std::string::npos) return;
    bool inDimension = false;
    for (const AcDbDxfTag& tag : entity.tags()) {
        if (tag.code == 100) inDimension = tag.text == "AcDbDimension";
        else if (inDimension && tag.code == 2 && !tag.text.empty()) {
            map(db::DatabaseAccess::findRecord(from, db::TableKind::kBlock, tag.text.c_str()));
            return;
        }
    }
}

void translateCopy(const AcDbObject& source, AcDbObject& copy, const db::IdMap& map)
{
    const AcDbDatabase* from = source.database();
    if (!from || from == copy.database()) return;
    if (auto* entity = KeptEntity::cast(&copy)) {
        carryDimensionBlock(*from, *entity, map);
        translateHandles(entity->tags(), *from, map, false);
        for (FollowerRecord& follower : entity->followers()) {
            translateHandles(follower.body, *from, map, false);
            translateHandles(follower.xdata, *from, map, false);
        }
    } else if (auto* object = KeptObject::cast(&copy)) {
        translateHandles(object->tags(), *from, map, false);
    }
    copyKeptTags(source, copy, map);
}

} // namespace

void installKeptHandleTranslation()
{
    static const bool installed = [] {
        db::addCloneHook(translateCopy);
        return true;
    }();
    (void)installed;
}

namespace {
// The codec's part of every copy, from the moment the library is loaded.
const bool kInstalled = (installKeptHandleTranslation(), true);
} // namespace

} // namespace dh::dxf
