// The records of the symbol tables other than blocks: layers, text styles, linetypes,
// registered applications, user coordinate systems, views, viewports, dimension styles.
#pragma once

#include <acdb/AcCmColor.h>
#include <acdb/AcDbSymbolTable.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

class ADESK_EXPORT AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbLayerTableRecord)

    bool isOff() const { return m_off; }
    void setIsOff(bool off);
    bool isFrozen() const { return m_frozen; }
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const { return m_locked; }
    void setIsLocked(bool locked);
    bool isPlottable() const { return m_plottable; }
    Acad::ErrorStatus setIsPlottable(bool plottable);

    AcCmColor color() const { return m_color; }
    void setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const { return m_linetypeId; }
    void setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

private:
    AcCmColor m_color = [] { AcCmColor c; c.setColorIndex(7); return c; }();
    AcDbObjectId m_linetypeId;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
    bool m_off = false;
    bool m_frozen = false;
    bool m_locked = false;
    bool m_plottable = true;
};

class ADESK_EXPORT AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbTextStyleTableRecord)

    // Font file names as the drawing gives them ("txt", "simplex.shx", "gbcbig.shx").
    Acad::ErrorStatus fileName(const char*& name) const;
    Acad::ErrorStatus setFileName(const char* name);
    Acad::ErrorStatus bigFontFileName(const char*& name) const;
    Acad::ErrorStatus setBigFontFileName(const char* name);
    // 0 means the height is asked for each text.
    double textSize() const { return m_textSize; }
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const { return m_xScale; }
    Acad::ErrorStatus setXScale(double factor);
    double obliquingAngle() const { return m_obliquingAngle; }
    Acad::ErrorStatus setObliquingAngle(double angle);
    double priorSize() const { return m_priorSize; }
    Acad::ErrorStatus setPriorSize(double size);
    bool isShapeFile() const { return m_shapeFile; }
    void setIsShapeFile(bool shapeFile);
    bool isVertical() const { return m_vertical; }
    void setIsVertical(bool vertical);
    // Text generation flags: 2 backwards, 4 upside down.
    Adesk::UInt8 flagBits() const { return m_flagBits; }
    void setFlagBits(Adesk::UInt8 flags);

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

private:
    std::string m_fileName = "txt";
    std::string m_bigFontFileName;
    double m_textSize = 0.0;
    double m_xScale = 1.0;
    double m_obliquingAngle = 0.0;
    double m_priorSize = 2.5;
    Adesk::UInt8 m_flagBits = 0;
    bool m_shapeFile = false;
    bool m_vertical = false;
};

class ADESK_EXPORT AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbLinetypeTableRecord)

    Acad::ErrorStatus comments(const char*& text) const;
    Acad::ErrorStatus setComments(const char* text);
    double patternLength() const { return m_patternLength; }
    void setPatternLength(double length);
    int numDashes() const { return static_cast<int>(m_dashes.size()); }
    void setNumDashes(int count);
    // Positive a dash, negative a gap, zero a dot.
    double dashLengthAt(int index) const;
    void setDashLengthAt(int index, double length);

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

private:
    std::string m_comments;
    double m_patternLength = 0.0;
    std::vector<double> m_dashes;
};

class ADESK_EXPORT AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbRegAppTableRecord)
};

class ADESK_EXPORT AcDbUCSTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbUCSTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbUCSTableRecord)

    AcGePoint3d origin() const { return m_origin; }
    void setOrigin(const AcGePoint3d& origin);
    AcGeVector3d xAxis() const { return m_xAxis; }
    void setXAxis(const AcGeVector3d& axis);
    AcGeVector3d yAxis() const { return m_yAxis; }
    void setYAxis(const AcGeVector3d& axis);

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

private:
    AcGePoint3d m_origin;
    AcGeVector3d m_xAxis{1.0, 0.0, 0.0};
    AcGeVector3d m_yAxis{0.0, 1.0, 0.0};
};

// What a view and a viewport record share: the visible window in display coordinates.
class ADESK_EXPORT AcDbAbstractViewTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbAbstractViewTableRecord);

    AcGePoint2d centerPoint() const { return m_center; }
    void setCenterPoint(const AcGePoint2d& center);
    double height() const { return m_height; }
    void setHeight(double height);
    double width() const { return m_width; }
    void setWidth(double width);
    AcGePoint3d target() const { return m_target; }
    void setTarget(const AcGePoint3d& target);
    AcGeVector3d viewDirection() const { return m_direction; }
    void setViewDirection(const AcGeVector3d& direction);
    double viewTwist() const { return m_twist; }
    void setViewTwist(double angle);

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

protected:
    // Group codes of the centre and of height/width differ between views and viewports.
    virtual bool isViewport() const = 0;

private:
    AcGePoint2d m_center;
    double m_height = 1.0;
    double m_width = 1.0;
    AcGePoint3d m_target;
    AcGeVector3d m_direction{0.0, 0.0, 1.0};
    double m_twist = 0.0;
    double m_aspectRead = 1.0; // a viewport's width/height while it is read
};

class ADESK_EXPORT AcDbViewTableRecord : public AcDbAbstractViewTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbViewTableRecord)

protected:
    bool isViewport() const override { return false; }
};

class ADESK_EXPORT AcDbViewportTableRecord : public AcDbAbstractViewTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewportTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbViewportTableRecord)

protected:
    bool isViewport() const override { return true; }
};

class ADESK_EXPORT AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord);
    ACDB_DECLARE_COPY_MEMBERS(AcDbDimStyleTableRecord)

    double dimscale() const { return m_dimscale; }
    Acad::ErrorStatus setDimscale(double scale);
    double dimasz() const { return m_dimasz; }
    Acad::ErrorStatus setDimasz(double size);
    double dimtxt() const { return m_dimtxt; }
    Acad::ErrorStatus setDimtxt(double height);
    AcDbObjectId dimtxsty() const { return m_dimtxsty; }
    Acad::ErrorStatus setDimtxsty(AcDbObjectId styleId);
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;

protected:
    Adesk::Int16 dxfFlags() const override;
    void dxfOutRecordFields(AcDbDxfFiler* filer) const override;
    bool dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer) override;

private:
    double m_dimscale = 1.0;
    double m_dimasz = 0.18;
    double m_dimtxt = 0.18;
    AcDbObjectId m_dimtxsty;
};
