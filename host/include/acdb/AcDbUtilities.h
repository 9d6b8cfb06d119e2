// Free functions of the database interface: entity names as the LISP side holds them,
// opening entities, and application registration.
#pragma once

#include <acdb/AcDbObject.h>
#include <acut/ResBuf.h>

class AcDbEntity;

// Entity name <-> object id. An entity name holds the id in its first long; the second
// is zero. eNullObjectId for a null id or name; eInvalidInput for a name that is not an
// object of a live database.
ADESK_EXPORT Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id);
ADESK_EXPORT Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);

// Opens an entity; eNotAnEntity when the object is not one (nothing stays open then).
ADESK_EXPORT Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& entity, AcDbObjectId id,
                                                  AcDb::OpenMode mode, bool openErased = false);

// Registers an application name in the working database's registered-application table.
// true when the name is there afterwards (newly added or already present).
ADESK_EXPORT bool acdbRegApp(const char* appName);
