// AcGeEntity3d: root of the kernel's spatial geometric entities. Entities are values owned
// by whoever made them; copy() returns a new heap object owned by the caller.
#pragma once

#include <acge/AcGe.h>
#include <acge/AcGeMatrix3d.h>

class ADESK_EXPORT AcGeEntity3d {
public:
    virtual ~AcGeEntity3d() = default;

    virtual AcGe::EntityId type() const = 0;
    virtual bool isKindOf(AcGe::EntityId id) const { return id == AcGe::kEntity3d; }
    virtual AcGeEntity3d* copy() const = 0;
    virtual AcGeEntity3d& transformBy(const AcGeMatrix3d& xform) = 0;
    virtual bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    AcGeEntity3d() = default;
    AcGeEntity3d(const AcGeEntity3d&) = default;
    AcGeEntity3d& operator=(const AcGeEntity3d&) = default;
};
