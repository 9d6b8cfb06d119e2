#include "lisp/XData.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbObject.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <cstdint>

namespace dh::lisp {
namespace {

bool isRegistered(const char* appName)
{
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db == nullptr)
        return false;
    AcDbRegAppTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool has = table->has(appName);
    table->close();
    return has;
}

void copyPoint(const ads_real from[3], ads_real to[3])
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

} // namespace

ResBufPtr readXData(const AcDbObject* object, const char* appName)
{
    if (appName == nullptr || appName[0] == '\0')
        return ResBufPtr(object->xData());
    return ResBufPtr(object->xData(appName));
}

Acad::ErrorStatus writeXData(AcDbObject* object, const char* appName, resbuf* values)
{
    if (!object->isWriteEnabled())
        return Acad::eNotOpenForWrite;
    if (!isRegistered(appName))
        acdbRegApp(appName);

    ResBufPtr head(acutNewRb(kXdAppName));
    if (!head)
        return Acad::eOutOfMemory;
    head->resval.rstring = acutNewString(appName);
    head->rbnext = values;
    const Acad::ErrorStatus es = object->setXData(head.get());
    head->rbnext = nullptr;
    return es;
}

ResBufPtr xdataItemFromLisp(const resbuf* value)
{
    ResBufPtr item;
    switch (value->restype) {
    case RTREAL:
        item.reset(acutNewRb(kXdReal));
        item->resval.rreal = value->resval.rreal;
        break;
    case RTSHORT:
        item.reset(acutNewRb(kXdLong));
        item->resval.rlong = value->resval.rint;
        break;
    case RTLONG:
        item.reset(acutNewRb(kXdLong));
        item->resval.rlong = value->resval.rlong;
        break;
    case RTSTR:
        item.reset(acutNewRb(kXdText));
        item->resval.rstring = acutNewString(value->resval.rstring);
        break;
    case RT3DPOINT:
        item.reset(acutNewRb(kXdPoint));
        copyPoint(value->resval.rpoint, item->resval.rpoint);
        break;
    default:
        break;
    }
    return item;
}

ResBufPtr lispValueFromXData(const resbuf* item)
{
    ResBufPtr value;
    switch (item->restype) {
    case kXdReal:
        value.reset(acutNewRb(RTREAL));
        value->resval.rreal = item->resval.rreal;
        break;
    case kXdLong:
        value.reset(acutNewRb(RTSHORT));
        value->resval.rint = static_cast<short>(static_cast<std::uint16_t>(item->resval.rlong));
        break;
    case kXdText:
        value.reset(acutNewRb(RTSTR));
        value->resval.rstring = acutNewString(item->resval.rstring);
        break;
    case kXdPoint:
        value.reset(acutNewRb(RT3DPOINT));
        copyPoint(item->resval.rpoint, value->resval.rpoint);
        break;
    default:
        break;
    }
    return value;
}

} // namespace dh::lisp
