// AcDbVertex: base of the vertex entities a polyline owns. A vertex lives in its
// polyline: it is added to the database with it and erased with it.
#pragma once

#include <acdb/AcDbEntity.h>

class ADESK_EXPORT AcDbVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbVertex);
};
