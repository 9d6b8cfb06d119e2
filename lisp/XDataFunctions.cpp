// Ent_setXData and Ent_getXData: one tagged value per application on a drawing entity.
#include "lisp/LispArgs.h"
#include "lisp/LispFunctions.h"
#include "lisp/XData.h"

#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
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
        // T only when the data was stored: a refused application name or value gives nil.
        const Acad::ErrorStatus es = writeXData(entity, appName.c_str(), value.get());
        entity->close();
        return es == Acad::eOk ? acedRetT() : acedRetNil();
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

        // One element per application name: the name and the first item after it. Every
        // item is looked at, so that an application with several items does not hide the
        // name of the next one.
        ResBufChain result;
        result.appendType(RTLB);
        bool any = false;
        for (const resbuf* examined = data.get(); examined != nullptr && examined->rbnext != nullptr;
             examined = examined->rbnext) {
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
