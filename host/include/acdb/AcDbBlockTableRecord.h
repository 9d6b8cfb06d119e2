// A block definition: a named, ordered list of entities with a base point. Model and
// paper space are the block records "*Model_Space" and "*Paper_Space". The record owns
// the entities appended to it; erasing it erases them.
#pragma once

#include <acdb/AcDbSymbolTable.h>
#include <acge/AcGePoint3d.h>

class AcDbEntity;
class AcDbBlockTableRecordIterator;

class ADESK_EXPORT AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);

    AcDbBlockTableRecord() = default;
    // Copies name, origin, path and comments, not the entities (they belong to the source).
    AcDbBlockTableRecord(const AcDbBlockTableRecord& other);
    AcDbBlockTableRecord& operator=(const AcDbBlockTableRecord& other);
    AcRxObject* clone() const override { return new AcDbBlockTableRecord(*this); }
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

    // Adds an entity made by the caller. The record must be in a database and open for
    // write; the entity must not be in a database yet. Afterwards the database owns the
    // entity and it is open for write: close it, never delete it.
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);

    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    AcGePoint3d origin() const { return m_origin; }
    void setOrigin(const AcGePoint3d& origin);
    // The external file of an external reference; empty for ordinary blocks.
    Acad::ErrorStatus pathName(const char*& path) const;
    Acad::ErrorStatus setPathName(const char* path);
    Acad::ErrorStatus comments(const char*& text) const;
    Acad::ErrorStatus setComments(const char* text);

    // "*U…", "*D…", "*X…" and other names starting with '*' that are not layouts.
    bool isAnonymous() const;
    // Model space, paper space and the "*Paper_Space0…" layouts.
    bool isLayout() const;
    bool hasAttributeDefinitions() const;
    bool isFromExternalReference() const { return !m_pathName.empty(); }

    // Entity ids in the order appended, erased ones included.
    const std::vector<AcDbObjectId>& entityIds() const { return m_entities; }
    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

private:
    friend struct dh::db::ObjectAccess;

    std::vector<AcDbObjectId> m_entities;
    AcGePoint3d m_origin;
    std::string m_pathName;
    std::string m_comments;
};

// Walks a block's entities in the order they were appended.
class ADESK_EXPORT AcDbBlockTableRecordIterator {
public:
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* block, bool atBeginning,
                                 bool skipDeleted);

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                bool openErasedEntity = false) const;
    // Moves to the entity of id; eKeyNotFound when the block does not hold it.
    Acad::ErrorStatus seek(AcDbObjectId id);

private:
    void skipErased(bool forward);

    const AcDbBlockTableRecord* m_block;
    long m_index = 0;
    bool m_skipDeleted = true;
};
