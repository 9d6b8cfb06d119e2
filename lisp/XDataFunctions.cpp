// Ent_setXData and Ent_getXData: one tagged value per application on a drawing entity.
#include "lisp/LispArgs.h"
#include "lisp/LispFunctions.h"
#include "lisp/XData.h"

#include <acdb/AcDbEntity.h>
#include <aced/AcEdLisp.h>

#include <string>

namespace dh::lisp {

int Ent_setXData(const resbuf* args)
{
    try {
        LispArgs in(args);
        const AcDbObjectId id = in.entity();
        const std::string appName = in.text();
        ResBufPtr value = xdataItemFromLisp(in.item());
        if (!value)
            throw in.position();
        in.end();

        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
            return acedRetVoid();
        // The answer is T whether or not the host took the data.
        writeXData(entity, appName.c_str(), value.get());
        entity->close();
        return acedRetT();
    } catch (int) {
        return acedRetNil();
    }
}

int Ent_getXData(const resbuf* args)
{
    try {
        LispArgs in(args);
        const AcDbObjectId id = in.entity();
        const std::string appName = in.text();
        in.end();

        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            return acedRetVoid();
        ResBufPtr data = readXData(entity, appName.c_str());
        entity->close();
        if (!data)
            return acedRetNil();

        // Two items at a time: an application name and the first item after it.
        ResBufChain result;
        result.appendType(RTLB);
        bool any = false;
        for (const resbuf* examined = data.get(); examined != nullptr && examined->rbnext != nullptr;
             examined = examined->rbnext->rbnext) {
            if (examined->restype != kXdAppName)
                continue;
            ResBufPtr value = lispValueFromXData(examined->rbnext);
            if (!value)
                continue;
            result.appendType(RTLB);
            result.appendText(examined->resval.rstring);
            result.append(value.release());
            result.appendType(RTLE);
            any = true;
        }
        result.appendType(RTLE);
        if (!any)
            return acedRetNil();
        return acedRetList(result.head());
    } catch (int) {
        return acedRetNil();
    }
}

} // namespace dh::lisp
