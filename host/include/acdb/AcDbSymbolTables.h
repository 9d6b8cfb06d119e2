// The nine symbol tables of a drawing and their iterators. Each iterator's getRecord
// opens a record of its table's class.
#pragma once

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbSymbolTableRecords.h>

#define DH_DECLARE_SYMBOL_TABLE(TABLE, RECORD)                                             \
    class ADESK_EXPORT TABLE##Iterator : public AcDbSymbolTableIterator {                  \
    public:                                                                                \
        using AcDbSymbolTableIterator::AcDbSymbolTableIterator;                           \
        using AcDbSymbolTableIterator::getRecord;                                          \
        Acad::ErrorStatus getRecord(RECORD*& record, AcDb::OpenMode mode,                  \
                                    bool openErasedRecord = false) const                   \
        {                                                                                  \
            AcDbSymbolTableRecord* base = nullptr;                                         \
            const Acad::ErrorStatus es = getRecord(base, mode, openErasedRecord);          \
            record = static_cast<RECORD*>(base);                                           \
            return es;                                                                     \
        }                                                                                  \
    };                                                                                     \
    class ADESK_EXPORT TABLE : public AcDbSymbolTable {                                    \
    public:                                                                                \
        ACRX_DECLARE_MEMBERS(TABLE);                                                       \
        AcRxClass* recordClass() const override { return RECORD::desc(); }                 \
        using AcDbSymbolTable::getAt;                                                      \
        using AcDbSymbolTable::newIterator;                                                \
        Acad::ErrorStatus getAt(const char* name, RECORD*& record, AcDb::OpenMode mode,    \
                                bool openErasedRecord = false) const                       \
        {                                                                                  \
            AcDbSymbolTableRecord* base = nullptr;                                         \
            const Acad::ErrorStatus es = getAt(name, base, mode, openErasedRecord);        \
            record = static_cast<RECORD*>(base);                                           \
            return es;                                                                     \
        }                                                                                  \
        Acad::ErrorStatus newIterator(TABLE##Iterator*& iterator, bool atBeginning = true, \
                                      bool skipDeleted = true) const                       \
        {                                                                                  \
            iterator = new TABLE##Iterator(this, atBeginning, skipDeleted);                \
            return Acad::eOk;                                                              \
        }                                                                                  \
    }

DH_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord);
DH_DECLARE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord);

#undef DH_DECLARE_SYMBOL_TABLE

// Names of the two spaces and of the standard records.
#define ACDB_MODEL_SPACE "*Model_Space"
#define ACDB_PAPER_SPACE "*Paper_Space"
