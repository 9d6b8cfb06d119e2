#include "TestDot.h"

ACRX_DEFINE_MEMBERS(TestDot, AcDbEntity);
