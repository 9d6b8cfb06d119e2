#include <acdb/AcDbHostApplicationServices.h>

#include <acrx/AcRxClass.h>

ACRX_DEFINE_MEMBERS(AcDbHostApplicationServices, AcRxObject);

AcDbHostApplicationServices* acdbHostApplicationServices()
{
    static AcDbHostApplicationServices services;
    return &services;
}
