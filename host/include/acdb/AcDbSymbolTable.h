// Symbol tables: named records (layers, text styles, blocks, ...) owned by a table object
// of the database. Names are compared without regard to case, as the host does; erased
// records keep their place but are not found by name and are skipped by iterators that
// skip deleted records.
#pragma once

#include <acdb/AcDbObject.h>

#include <string>
#include <unordered_map>
#include <vector>

class AcDbSymbolTableIterator;
class AcDbSymbolTable;
struct AcDbDxfTag;

class ADESK_EXPORT AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);

    AcDbSymbolTableRecord() = default;
    AcDbSymbolTableRecord(const AcDbSymbolTableRecord& other) = default;
    AcDbSymbolTableRecord& operator=(const AcDbSymbolTableRecord& other);

    // The name as a new string the caller frees with free().
    Acad::ErrorStatus getName(char*& name) const;
    Acad::ErrorStatus getName(const char*& name) const;
    const char* getName() const { return m_name.c_str(); }
    // eInvalidInput for an empty name or one with characters the host refuses (<>/\":;?|,=`,
    // and '*' anywhere but first, as in "*Model_Space" and "*U12"), eDuplicateRecordName
    // when another record of the table has it.
    Acad::ErrorStatus setName(const char* name);
    // Records that come from an external reference; the host reads none.
    bool isDependent() const { return false; }

    // Subclass markers, name (2) and flags (70), then the class's own fields.
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // Group 70 of the record.
    virtual Adesk::Int16 dxfFlags() const { return 0; }
    virtual void dxfOutRecordFields(AcDbDxfFiler*) const {}
    // Takes one group of the record's subclass; false for a group the class does not use.
    virtual bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer);

private:
    std::string m_name;
};

class ADESK_EXPORT AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);

    AcDbSymbolTable() = default;
    AcDbSymbolTable(const AcDbSymbolTable&) = delete;
    AcDbSymbolTable& operator=(const AcDbSymbolTable&) = delete;

    // eKeyNotFound when no record has the name (erased records excepted unless
    // getErasedRecord).
    Acad::ErrorStatus getAt(const char* name, AcDbObjectId& id, bool getErasedRecord = false) const;
    Acad::ErrorStatus getAt(const char* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErasedRecord = false) const;
    bool has(const char* name) const;
    bool has(AcDbObjectId id) const;
    // Adds a record made by the caller; the table must be open for write and the record
    // named. The database owns it afterwards and it is open for write: close it.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // The runtime class this table's records must be of.
    virtual AcRxClass* recordClass() const = 0;

    // Every record id in the order added, erased ones included.
    const std::vector<AcDbObjectId>& recordIds() const { return m_records; }
    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

private:
    friend struct dh::db::ObjectAccess;
    AcDbObjectId findLive(const std::string& key) const;
    void rebuildIndex() const;

    std::vector<AcDbObjectId> m_records;
    // Upper-cased name to id of the live record; rebuilt when a record is renamed.
    mutable std::unordered_map<std::string, AcDbObjectId> m_index;
    mutable bool m_indexStale = false;
};

// Walks a table's records in the order they were added.
class ADESK_EXPORT AcDbSymbolTableIterator {
public:
    AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning, bool skipDeleted);
    virtual ~AcDbSymbolTableIterator() = default;

    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErasedRecord = false) const;
    // Moves to the record of id; eKeyNotFound when the table does not hold it.
    Acad::ErrorStatus seek(AcDbObjectId id);

protected:
    const std::vector<AcDbObjectId>& records() const;
    void skipErased(bool forward);

    AcDbObjectId m_tableId;
    const AcDbSymbolTable* m_table;
    long m_index = 0;
    bool m_skipDeleted = true;
};
