#include "host/ed/ChangeReport.h"

#include "host/dxf/WriterContext.h"
#include "host/render/DrawingRenderer.h"
#include "host/render/ObjectGroups.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acut/ResBuf.h>

#include <algorithm>
#include <cstring>

namespace dh::ed {

namespace {

// Layers named one by one up to this many; more are counted.
constexpr std::size_t kNamedLayers = 5;

struct Hash {
    std::uint64_t value = 1469598103934665603ULL;
    void bytes(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            value = (value ^ p[i]) * 1099511628211ULL;
    }
    template <class T>
    void add(const T& v) { bytes(&v, sizeof v); }
};

void hashGroup(Hash& h, const AcDbDxfTag& tag)
{
    h.add(tag.code);
    switch (tag.kind) {
    case AcDbDxfTag::Kind::kString:
    case AcDbDxfTag::Kind::kBinary: h.bytes(tag.text.data(), tag.text.size()); break;
    case AcDbDxfTag::Kind::kInt:
    case AcDbDxfTag::Kind::kHandle: h.add(tag.integer); break;
    case AcDbDxfTag::Kind::kDouble: h.add(tag.xyz[0]); break;
    case AcDbDxfTag::Kind::kPoint: h.bytes(tag.xyz, sizeof tag.xyz); break;
    }
}

// The object's own groups: those of the common entity subclass are compared apart.
void hashFields(const AcDbObject& object, Hash& geometry, Hash& text)
{
    bool common = false;
    render::forEachGroup(object, [&](const AcDbDxfTag& tag) {
        if (tag.code == 100)
            common = tag.text == "AcDbEntity";
        if (common)
            return;
        hashGroup(tag.code == 1 || tag.code == 3 ? text : geometry, tag);
    });
}

std::uint64_t hashXData(const AcDbObject& object)
{
    resbuf* chain = object.xData();
    if (!chain)
        return 0;
    Hash h;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        h.add(rb->restype);
        const int type = rb->restype;
        if (type == 1000 || type == 1001 || type == 1003 || type == 1005)
            h.bytes(rb->resval.rstring, rb->resval.rstring ? std::strlen(rb->resval.rstring) : 0);
        else if (type >= 1010 && type < 1060)
            h.bytes(rb->resval.rpoint, sizeof rb->resval.rpoint);
        else if (type == 1070)
            h.add(rb->resval.rint);
        else if (type == 1071)
            h.add(rb->resval.rlong);
    }
    acutRelRb(chain);
    return h.value;
}

std::vector<AcDbObjectId> tableRecords(AcDbDatabase& db, bool layers)
{
    std::vector<AcDbObjectId> ids;
    if (layers) {
        AcDbLayerTable* table = nullptr;
        if (db.getLayerTable(table, AcDb::kForRead) == Acad::eOk) {
            ids = table->recordIds();
            table->close();
        }
    } else {
        AcDbBlockTable* table = nullptr;
        if (db.getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
            ids = table->recordIds();
            table->close();
        }
    }
    return ids;
}

template <class T>
T* openAny(AcDbObjectId id)
{
    T* object = nullptr;
    return acdbOpenObject(object, id, AcDb::kForRead, true) == Acad::eOk ? object : nullptr;
}

// Aspects of a change, in the order they are named.
enum Aspect : unsigned { kLayer = 1, kColour = 2, kLinetype = 4, kProperties = 8, kGeometry = 16, kText = 32,
                         kXData = 64 };
constexpr const char* kAspectNames[] = {"layer", "colour", "linetype", "properties", "geometry", "text", "xdata"};

unsigned entityChanges(const ChangeReport::EntityState& a, const ChangeReport::EntityState& b)
{
    unsigned bits = 0;
    if (a.layer != b.layer) bits |= kLayer;
    if (a.color != b.color) bits |= kColour;
    if (a.linetype != b.linetype) bits |= kLinetype;
    if (a.properties != b.properties) bits |= kProperties;
    if (a.geometry != b.geometry) bits |= kGeometry;
    if (a.text != b.text) bits |= kText;
    if (a.xdata != b.xdata) bits |= kXData;
    return bits;
}

std::string aspectList(unsigned bits)
{
    std::string out;
    for (unsigned i = 0; i < std::size(kAspectNames); ++i)
        if (bits & (1u << i))
            out += (out.empty() ? "" : ", ") + std::string(kAspectNames[i]);
    return out;
}

struct TypeCount {
    long count = 0;
    unsigned aspects = 0;
};

// "62 LWPOLYLINE, 41 CIRCLE": the most first, then by name.
std::string typeList(const std::map<int, TypeCount>& counts, const std::vector<std::string>& names, bool aspects)
{
    std::vector<std::pair<int, TypeCount>> items(counts.begin(), counts.end());
    std::sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
        return a.second.count != b.second.count ? a.second.count > b.second.count : names[a.first] < names[b.first];
    });
    std::string out;
    for (const auto& [type, c] : items) {
        out += (out.empty() ? "" : ", ") + render::groupThousands(c.count) + " " + names[type];
        if (aspects)
            out += " (" + aspectList(c.aspects) + ")";
    }
    return out;
}

void appendPart(std::string& text, const std::string& part)
{
    if (!part.empty())
        text += (text.empty() ? "" : "; ") + part;
}

// "layers added A, B" or, for many, "layers added 12".
std::string layerNames(const char* what, const std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    std::string out = std::string("layers ") + what + " ";
    if (names.size() > kNamedLayers)
        return out + std::to_string(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? ", " : "") + names[i];
    return out;
}

std::string layerChanges(const ChangeReport::Snapshot& before, const ChangeReport::Snapshot& after)
{
    std::vector<std::string> added, erased;
    std::vector<std::pair<std::string, std::vector<std::string>>> changed;
    for (const auto& [id, a] : after.layers) {
        auto found = before.layers.find(id);
        const bool wasLive = found != before.layers.end() && !found->second.erased;
        if (!wasLive) {
            if (!a.erased)
                added.push_back(a.name);
            continue;
        }
        const ChangeReport::LayerState& b = found->second;
        if (a.erased) {
            erased.push_back(b.name);
            continue;
        }
        std::vector<std::string> what;
        if (a.name != b.name) what.push_back("renamed from " + b.name);
        if (a.off != b.off) what.push_back(a.off ? "off" : "on");
        if (a.frozen != b.frozen) what.push_back(a.frozen ? "frozen" : "thawed");
        if (a.locked != b.locked) what.push_back(a.locked ? "locked" : "unlocked");
        if (a.color != b.color) what.push_back("colour");
        if (a.linetype != b.linetype) what.push_back("linetype");
        if (!what.empty())
            changed.emplace_back(a.name, what);
    }
    std::string text;
    appendPart(text, layerNames("added", added));
    appendPart(text, layerNames("erased", erased));
    if (changed.empty())
        return text;
    std::string part = "layers changed ";
    if (changed.size() > kNamedLayers) {
        std::vector<std::string> kinds;
        for (const auto& [name, what] : changed)
            for (const std::string& w : what)
                if (std::find(kinds.begin(), kinds.end(), w) == kinds.end())
                    kinds.push_back(w);
        part += std::to_string(changed.size()) + " (";
        for (std::size_t i = 0; i < kinds.size(); ++i)
            part += (i ? ", " : "") + kinds[i];
        part += ")";
    } else {
        for (std::size_t i = 0; i < changed.size(); ++i) {
            part += (i ? ", " : "") + changed[i].first + " (";
            for (std::size_t k = 0; k < changed[i].second.size(); ++k)
                part += (k ? ", " : "") + changed[i].second[k];
            part += ")";
        }
    }
    appendPart(text, part);
    return text;
}

}  // namespace

int ChangeReport::typeIndex(const std::string& name)
{
    auto found = m_typeIndex.find(name);
    if (found != m_typeIndex.end())
        return found->second;
    m_typeNames.push_back(name);
    return m_typeIndex[name] = static_cast<int>(m_typeNames.size() - 1);
}

ChangeReport::Snapshot ChangeReport::record(AcDbDatabase* db)
{
    Snapshot snap;
    snap.db = db;
    if (!db)
        return snap;
    for (AcDbObjectId blockId : tableRecords(*db, false)) {
        AcDbBlockTableRecord* block = openAny<AcDbBlockTableRecord>(blockId);
        if (!block)
            continue;
        const std::vector<AcDbObjectId> ids = block->entityIds();
        block->close();
        for (AcDbObjectId id : ids) {
            AcDbEntity* e = openAny<AcDbEntity>(id);
            if (!e)
                continue;
            EntityState s;
            std::string type = dxf::dxfTypeOf(e);
            s.type = typeIndex(type.empty() ? std::string(e->isA()->name()) : type);
            s.erased = e->isErased();
            s.layer = e->layerId();
            s.linetype = e->linetypeId();
            s.color = e->color();
            Hash props, geometry, text;
            props.add(e->lineWeight());
            props.add(e->linetypeScale());
            props.add(e->visibility());
            hashFields(*e, geometry, text);
            std::vector<AcDbObjectId> owned;
            e->getOwnedIds(owned);
            for (AcDbObjectId subId : owned)
                if (AcDbObject* sub = openAny<AcDbObject>(subId)) {
                    geometry.add(sub->isErased());
                    hashFields(*sub, geometry, text);
                    sub->close();
                }
            s.properties = props.value;
            s.geometry = geometry.value;
            s.text = text.value;
            s.xdata = hashXData(*e);
            e->close();
            snap.entities.emplace(id, s);
        }
    }
    for (AcDbObjectId id : tableRecords(*db, true)) {
        if (AcDbLayerTableRecord* layer = openAny<AcDbLayerTableRecord>(id)) {
            snap.layers[id] = {layer->getName(), layer->isErased(), layer->isOff(), layer->isFrozen(),
                               layer->isLocked(), layer->color(), layer->linetypeObjectId()};
            layer->close();
        }
    }
    return snap;
}

void ChangeReport::take(AcDbDatabase* db)
{
    if (m_valid && m_before.db == db)
        return;
    m_before = record(db);
    m_valid = true;
}

std::string ChangeReport::compare(const std::string& label, AcDbDatabase* db)
{
    if (!m_valid || db != m_before.db) {
        m_before = record(db);
        m_valid = true;
        return label + ": another drawing is active" + (db && *db->filename() ? std::string(" (") + db->filename() + ")" : "");
    }
    Snapshot after = record(db);
    std::string text = describeChanges(m_before, after, m_typeNames);
    m_before = std::move(after);
    return label + ": " + (text.empty() ? "no change" : text);
}

}  // namespace dh::ed

namespace dh::ed {

std::string describeChanges(const ChangeReport::Snapshot& before, const ChangeReport::Snapshot& after,
                            const std::vector<std::string>& typeNames)
{
    std::map<int, TypeCount> added, erased, modified;
    for (const auto& [id, a] : after.entities) {
        auto found = before.entities.find(id);
        if (found == before.entities.end() || found->second.erased) {
            if (!a.erased)
                ++added[a.type].count;
            continue;
        }
        const ChangeReport::EntityState& b = found->second;
        if (a.erased) {
            ++erased[b.type].count;
        } else if (unsigned bits = entityChanges(a, b)) {
            TypeCount& c = modified[a.type];
            ++c.count;
            c.aspects |= bits;
        }
    }
    for (const auto& [id, b] : before.entities)
        if (!b.erased && !after.entities.count(id))
            ++erased[b.type].count;
    std::string text;
    if (!erased.empty())
        appendPart(text, "erased " + typeList(erased, typeNames, false));
    if (!added.empty())
        appendPart(text, "added " + typeList(added, typeNames, false));
    if (!modified.empty())
        appendPart(text, "modified " + typeList(modified, typeNames, true));
    appendPart(text, layerChanges(before, after));
    return text;
}

}  // namespace dh::ed
