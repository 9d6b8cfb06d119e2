// Entity names as the LISP side holds them: the database's serial in the first long and
// the object's handle in the second. A name survives nothing it names: once its drawing is
// gone the serial is unknown and the name is refused.
#include <acdb/AcDbUtilities.h>

#include "host/db/DatabaseAccess.h"

#include <acdb/AcDbHostApplicationServices.h>

using dh::db::DatabaseAccess;

Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id)
{
    ads_name_clear(name);
    if (id.isNull())
        return Acad::eNullObjectId;
    AcDbDatabase* db = id.database();
    if (!db || !id.isValid())
        return Acad::eInvalidInput;
    name[0] = DatabaseAccess::serial(*db);
    name[1] = static_cast<long>(id.handle().value());
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name)
{
    id.setNull();
    if (!name || ads_name_nil(name))
        return Acad::eNullObjectId;
    AcDbDatabase* db = DatabaseAccess::bySerial(name[0]);
    if (!db || name[1] == 0)
        return Acad::eInvalidInput;
    dh::db::ObjectStub* stub = DatabaseAccess::objects(*db).find(static_cast<std::uint64_t>(name[1]));
    if (!stub || !stub->object)
        return Acad::eInvalidInput;
    id = AcDbObjectId(stub);
    return Acad::eOk;
}

bool acdbRegApp(const char* appName)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db || !appName || !*appName)
        return false;
    // Added directly, so that a caller holding the table open still registers the name.
    return !DatabaseAccess::ensureRecord(*db, dh::db::TableKind::kRegApp, appName).isNull();
}
