// AcDbMText: multi-line text. The location is the attachment point of the text's box;
// the box holds the contents' lines (formatting codes removed; wrapped at the reference
// width when it is above 0) at the text height, one line pitch of 5/3 × height × the
// line spacing factor apart, measured with the host's text metric.
#pragma once

#include <functional>

#include <acdb/AcDbEntity.h>
#include <acge/AcGeVector3d.h>

#include <string>

class ADESK_EXPORT AcDbMText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);
    ACDB_DECLARE_COPY_MEMBERS(AcDbMText);

    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter = 2, kTopRight = 3,
        kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
        kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9,
    };

    AcDbMText() = default;

    AcGePoint3d location() const { return m_location; }
    Acad::ErrorStatus setLocation(const AcGePoint3d& point);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    AcGeVector3d direction() const { return m_direction; }
    Acad::ErrorStatus setDirection(const AcGeVector3d& direction);
    // Angle of the direction from the plane's x axis.
    double rotation() const;
    Acad::ErrorStatus setRotation(double angle);
    double width() const { return m_width; }
    Acad::ErrorStatus setWidth(double width);
    double textHeight() const { return m_textHeight; }
    Acad::ErrorStatus setTextHeight(double height);
    AttachmentPoint attachment() const { return m_attachment; }
    Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
    double lineSpacingFactor() const { return m_lineSpacing; }
    Acad::ErrorStatus setLineSpacingFactor(double factor);
    AcDbObjectId textStyle() const { return m_style; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    // The contents with their formatting codes; a new copy freed by the caller with free().
    char* contents() const;
    const char* contentsConst() const { return m_contents.c_str(); }
    Acad::ErrorStatus setContents(const char* text);
    // The contents without formatting codes, lines joined by "\n".
    std::string text() const;
    // Size of the box of the lines.
    double actualHeight() const;
    double actualWidth() const;

    // Corners of the box in world coordinates: top left, top right, bottom left, bottom right.
    Acad::ErrorStatus getBoundingPoints(AcGePoint3dArray& points) const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // One single-line text per line of the box.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
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
    // A multi-line text without a style takes the drawing's current one.
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;

public:

private:
    AcGePoint3d m_location;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    AcGeVector3d m_direction{1.0, 0.0, 0.0};
    double m_width = 0.0;
    double m_textHeight = 2.5;
    double m_lineSpacing = 1.0;
    AttachmentPoint m_attachment = kTopLeft;
    AcDbObjectId m_style;
    std::string m_contents;
};
