// A drawing: the object table (ids, handles, ownership of every object), the nine symbol
// tables and the header settings the modules use. A new database built with
// buildDefaultDrawing holds the standard tables and records: model and paper space, layer
// "0", text style "Standard", linetypes "ByBlock", "ByLayer", "Continuous", application
// "ACAD", dimension style "Standard" and viewport "*Active".
#pragma once

#include <acdb/AcDbObject.h>
#include <acdb/AcDbSymbolTables.h>
#include <acge/AcGePoint3d.h>

#include <memory>

namespace dh::db {
class ObjectTable;
struct DatabaseAccess;
}

class ADESK_EXPORT AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);

    // Without buildDefaultDrawing the database is empty (no tables), to be filled by a
    // reader. noDocument is accepted for the host's signature and has no effect.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Symbol tables, opened with the given mode; close them after use.
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbUCSTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbViewTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbViewportTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getUCSTable(AcDbUCSTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getViewTable(AcDbViewTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getViewportTable(AcDbViewportTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode);

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId UCSTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId dimStyleTableId() const;

    // Model space unless set otherwise.
    AcDbObjectId currentSpaceId() const { return m_currentSpace; }
    Acad::ErrorStatus setCurrentSpaceId(AcDbObjectId blockId);
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;

    // Current settings that new entities take (setDatabaseDefaults).
    AcDbObjectId clayer() const { return m_clayer; }
    // eInvalidInput for an id that is not a live layer of this database.
    Acad::ErrorStatus setClayer(AcDbObjectId layerId);
    AcDbObjectId celtype() const { return m_celtype; }
    Acad::ErrorStatus setCeltype(AcDbObjectId linetypeId);
    AcCmColor cecolor() const { return m_cecolor; }
    Acad::ErrorStatus setCecolor(const AcCmColor& color);
    double celtscale() const { return m_celtscale; }
    Acad::ErrorStatus setCeltscale(double scale);
    AcDb::LineWeight celweight() const { return m_celweight; }
    Acad::ErrorStatus setCelweight(AcDb::LineWeight weight);
    AcDbObjectId textstyle() const { return m_textstyle; }
    Acad::ErrorStatus setTextstyle(AcDbObjectId styleId);
    AcDbObjectId dimstyle() const { return m_dimstyle; }
    Acad::ErrorStatus setDimstyle(AcDbObjectId styleId);
    double ltscale() const { return m_ltscale; }
    Acad::ErrorStatus setLtscale(double scale);
    double textsize() const { return m_textsize; }
    Acad::ErrorStatus setTextsize(double size);
    AcGePoint3d insbase() const { return m_insbase; }
    Acad::ErrorStatus setInsbase(const AcGePoint3d& base);
    AcGePoint3d extmin() const { return m_extmin; }
    AcGePoint3d extmax() const { return m_extmax; }
    void setExtmin(const AcGePoint3d& point) { m_extmin = point; }
    void setExtmax(const AcGePoint3d& point) { m_extmax = point; }

    // The next handle a new object gets; always above every handle in use.
    AcDbHandle handseed() const;
    // Raises the seed; a value at or below a handle in use is refused (eInvalidInput).
    Acad::ErrorStatus setHandseed(const AcDbHandle& handle);

    // The id of the object with a handle. With createIfNotFound an unknown handle gets an
    // id that the object read later under that handle takes over (eOk); without it,
    // eUnknownHandle. A null handle gives eNullHandle.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound,
                                      const AcDbHandle& handle, Adesk::UInt32 reserved = 0);

    // Adds an object that is not an entity (its owner sets the owner id). The database owns
    // it afterwards and it is open for write: close it.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);
    Acad::ErrorStatus addAcDbObject(AcDbObject* object);

    // A new database holding deep copies of the entities of block blockId in its model
    // space, with the layers, linetypes, text styles, dimension styles, blocks and
    // registered applications they use. The caller owns the new database.
    Acad::ErrorStatus wblock(AcDbDatabase*& output, AcDbObjectId blockId);
    // A copy of the whole drawing's model space.
    Acad::ErrorStatus wblock(AcDbDatabase*& output);

    // Written and read by the DXF codec (host/dxf). version 0 writes the default version.
    Acad::ErrorStatus saveAs(const char* fileName, int version = 0);
    Acad::ErrorStatus readDxfFile(const char* fileName);

    // The file this database was read from or last saved as; empty for a new drawing.
    const char* filename() const { return m_fileName.c_str(); }
    void setFilename(const char* fileName) { m_fileName = fileName ? fileName : ""; }

    // Number of live (not erased) objects; for statistics and tests.
    std::size_t numberOfObjects() const;

private:
    friend struct dh::db::DatabaseAccess;

    void buildDefaultDrawing();

    std::unique_ptr<dh::db::ObjectTable> m_objects;
    AcDbObjectId m_tables[9];
    AcDbObjectId m_currentSpace;
    AcDbObjectId m_clayer;
    AcDbObjectId m_celtype;
    AcDbObjectId m_textstyle;
    AcDbObjectId m_dimstyle;
    AcCmColor m_cecolor;
    double m_celtscale = 1.0;
    double m_ltscale = 1.0;
    double m_textsize = 2.5;
    AcDb::LineWeight m_celweight = AcDb::kLnWtByLayer;
    AcGePoint3d m_insbase;
    AcGePoint3d m_extmin{1e20, 1e20, 1e20};
    AcGePoint3d m_extmax{-1e20, -1e20, -1e20};
    std::string m_fileName;
    long m_serial = 0; // names the database in entity names
};
