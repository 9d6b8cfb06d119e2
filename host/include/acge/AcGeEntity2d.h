// AcGeEntity2d: root of the kernel's planar geometric entities. Entities are values owned
// by whoever made them; copy() returns a new heap object owned by the caller.
#pragma once

#include <acge/AcGe.h>
#include <acge/AcGeMatrix2d.h>

class ADESK_EXPORT AcGeEntity2d {
public:
    virtual ~AcGeEntity2d() = default;

    virtual AcGe::EntityId type() const = 0;
    virtual bool isKindOf(AcGe::EntityId id) const { return id == AcGe::kEntity2d; }
    virtual AcGeEntity2d* copy() const = 0;
    virtual AcGeEntity2d& transformBy(const AcGeMatrix2d& xform) = 0;
    virtual bool isOn(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    AcGeEntity2d() = default;
    AcGeEntity2d(const AcGeEntity2d&) = default;
    AcGeEntity2d& operator=(const AcGeEntity2d&) = default;
};
