// AcDbText: a single line of text. The position is the start of its baseline (left end);
// for other alignments the alignment point is the point the text is aligned to and the
// position follows from it (adjustAlignment). Height, rotation (radians, about the normal
// from the plane's x axis), width factor and oblique angle shape the box; its width comes
// from the host's text metric (AcGiTextStyle). Texts are UTF-8.
#pragma once

#include <functional>

#include <acdb/AcDbEntity.h>
#include <acge/AcGeVector3d.h>

#include <string>

struct AcDbDxfTag;

namespace AcDb {
enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
}

class ADESK_EXPORT AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    ACDB_DECLARE_COPY_MEMBERS(AcDbText);

    AcDbText() = default;
    // Height 0 takes the database's text size when the text is added to one.
    AcDbText(const AcGePoint3d& position, const char* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);

    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGePoint3d alignmentPoint() const { return m_alignmentPoint; }
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    bool isDefaultAlignment() const
    {
        return m_horzMode == AcDb::kTextLeft && m_vertMode == AcDb::kTextBase;
    }
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    double oblique() const { return m_oblique; }
    Acad::ErrorStatus setOblique(double angle);
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double angle);
    double height() const { return m_height; }
    Acad::ErrorStatus setHeight(double height);
    double widthFactor() const { return m_widthFactor; }
    Acad::ErrorStatus setWidthFactor(double factor);
    bool isMirroredInX() const { return (m_generation & 2) != 0; }
    Acad::ErrorStatus mirrorInX(bool mirror);
    bool isMirroredInY() const { return (m_generation & 4) != 0; }
    Acad::ErrorStatus mirrorInY(bool mirror);
    // A new copy of the string, freed by the caller with free().
    char* textString() const;
    const char* textStringConst() const { return m_text.c_str(); }
    Acad::ErrorStatus setTextString(const char* text);
    AcDbObjectId textStyle() const { return m_style; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const { return m_horzMode; }
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const { return m_vertMode; }
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    // Recomputes the position from the alignment point (and, for aligned and fitted
    // texts, the height or width factor) for the current string and style.
    Acad::ErrorStatus adjustAlignment(AcDbDatabase* db = nullptr);

    // The four corners of the text's box, in world coordinates: baseline start, baseline
    // end, top end, top start.
    Acad::ErrorStatus getBoundingPoints(AcGePoint3dArray& points) const;
    // Width of the string at this text's height, width factor and style.
    double textWidth() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;

protected:
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;
    // The AcDbText groups without the subclass markers, shared with attributes.
    void writeTextFields(AcDbDxfFiler* filer) const;
    bool readTextField(const AcDbDxfTag& tag);
    void writeSecondTextFields(AcDbDxfFiler* filer) const;

    AcGePoint3d m_position;
    AcGePoint3d m_alignmentPoint;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    double m_thickness = 0.0;
    double m_height = 0.0;
    double m_rotation = 0.0;
    double m_widthFactor = 1.0;
    double m_oblique = 0.0;
    int m_generation = 0;
    std::string m_text;
    AcDbObjectId m_style;
    AcDb::TextHorzMode m_horzMode = AcDb::kTextLeft;
    AcDb::TextVertMode m_vertMode = AcDb::kTextBase;
};
