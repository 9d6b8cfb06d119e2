#include "host/dxf/KeptHandles.h"

#include "host/dxf/DocumentData.h"
#include "host/dxf/KeptEntity.h"

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"

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

// Hard pointers and owners (340–369, 480–481) name what an object needs or owns: the
// objects they name come along (an image's definition, a style object, an extension
// dictionary and its entries).
void bringAlongTargets(const Tags& tags, const AcDbDatabase& source, const db::IdMap& bringAlong)
{
    auto& db = const_cast<AcDbDatabase&>(source);
    for (const AcDbDxfTag& tag : tags) {
        const bool hard = (tag.code >= 340 && tag.code <= 369) ||
                          tag.code == 480 || tag.code == 481;
        if (!hard || tag.kind != AcDbDxfTag::Kind::kHandle || tag.integer == 0) continue;
        AcDbObjectId id;
        db.getAcDbObjectId(id, false, AcDbHandle(static_cast<std::uint64_t>(tag.integer)));
        // The copy's drawing has layouts of its own.
        const auto* target = KeptObject::cast(db::objectOf(id));
        if (target && target->dxfType() != "LAYOUT") bringAlong(id);
    }
}

// The entry name under which `dictionary` lists `entry`; empty when it does not.
std::string entryName(const AcDbObject* dictionary, const AcDbObject& entry)
{
    const auto* kept = KeptObject::cast(dictionary);
    if (!kept) return {};
    const Tags& tags = kept->tags();
    const auto handle = static_cast<std::int64_t>(entry.objectHandle().value());
    for (std::size_t i = 0; i + 1 < tags.size(); ++i)
        if (tags[i].code == 3 && (tags[i + 1].code == 350 || tags[i + 1].code == 360) &&
            tags[i + 1].integer == handle)
            return tags[i].text;
    return {};
}

// An object brought along keeps its place: under its copied owner, or named in the root
// dictionary when the source's root named it. The layouts and groups are the copy's own.
void attachToOwner(const AcDbDatabase& from, const AcDbObject& source, AcDbObject& copy, const db::IdMap& bringAlong)
{
    const AcDbObjectId owner = source.ownerId();
    if (owner.isNull() || !copy.ownerId().isNull()) return;
    const AcDbObject* ownerObject = db::objectOf(owner);
    const DocumentData* data = DocumentData::find(&from);
    if (!ownerObject || !data) return;
    if (owner.handle().value() != data->rootDictionary) {
        AcDbObjectId rootId;
        const_cast<AcDbDatabase&>(from).getAcDbObjectId(rootId, false, AcDbHandle(data->rootDictionary));
        const AcDbObject* root = db::objectOf(rootId);
        const std::string ownerName = root ? entryName(root, *ownerObject) : std::string();
        if (ownerName == "ACAD_LAYOUT" || ownerName == "ACAD_GROUP") return;
        const AcDbObjectId ownerCopy = bringAlong(owner);
        if (!ownerCopy.isNull()) db::ObjectAccess::setOwner(copy, ownerCopy);
        return;
    }
    const std::string name = entryName(ownerObject, source);
    if (name.empty() || name == "ACAD_LAYOUT" || name == "ACAD_GROUP") return;
    if (DocumentData* target = DocumentData::obtain(copy.database())) {
        for (const auto& entry : target->rootEntries)
            if (entry.first == name) return;
        target->rootEntries.emplace_back(name, copy.objectId());
    }
}

// The CLASS of a type the copy's drawing now holds, from the source's.
void carryClass(const AcDbDatabase& from, AcDbDatabase& to, const std::string& type)
{
    const DocumentData* source = DocumentData::find(&from);
    if (!source) return;
    for (const Tags& body : source->classes) {
        const AcDbDxfTag* name = nullptr;
        for (const AcDbDxfTag& tag : body)
            if (tag.code == 1) name = &tag;
        if (!name || name->text != type) continue;
        DocumentData* target = DocumentData::obtain(&to);
        if (!target) return;
        for (const Tags& existing : target->classes)
            for (const AcDbDxfTag& tag : existing)
                if (tag.code == 1 && tag.text == type) return;
        target->classes.push_back(body);
        return;
    }
}

// What the codec keeps beside a modelled object goes with its copy: application data
// (reactors to objects left behind are dropped, an emptied group with them) and
// unmodelled groups.
void copyKeptTags(const AcDbObject& source, AcDbObject& copy, const db::IdMap& map, const db::IdMap& bringAlong)
{
    const AcDbDatabase* from = source.database();
    const DocumentData* data = DocumentData::find(from);
    if (!data || !copy.database()) return;
    const auto it = data->kept.find(source.objectId());
    if (it == data->kept.end()) return;
    KeptTags kept = it->second;
    for (const AppDataGroup& group : kept.appData) bringAlongTargets(group.tags, *from, bringAlong);
    for (const KeptGroup& group : kept.groups) bringAlongTargets(group.tags, *from, bringAlong);
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

void translateCopy(const AcDbObject& source, AcDbObject& copy, const db::IdMap& map, const db::IdMap& bringAlong)
{
    const AcDbDatabase* from = source.database();
    AcDbDatabase* to = copy.database();
    if (!from || !to || from == to) return;
    if (auto* entity = KeptEntity::cast(&copy)) {
        carryDimensionBlock(*from, *entity, map);
        carryClass(*from, *to, entity->dxfType());
        bringAlongTargets(entity->tags(), *from, bringAlong);
        translateHandles(entity->tags(), *from, map, false);
        for (FollowerRecord& follower : entity->followers()) {
            translateHandles(follower.body, *from, map, false);
            translateHandles(follower.xdata, *from, map, false);
        }
    } else if (auto* object = KeptObject::cast(&copy)) {
        carryClass(*from, *to, object->dxfType());
        attachToOwner(*from, source, copy, bringAlong);
        bringAlongTargets(object->tags(), *from, bringAlong);
        translateHandles(object->tags(), *from, map, false);
        // Written with the drawing's own objects.
        if (DocumentData* target = DocumentData::obtain(to)) target->objects.push_back(copy.objectId());
    }
    copyKeptTags(source, copy, map, bringAlong);
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
