#include "TestDot.h"

ACRX_DEFINE_MEMBERS(TestDot, AcDbEntity);
ACRX_DEFINE_MEMBERS(TestOwner, TestDot);
ACRX_DEFINE_MEMBERS(TestDetachingOwner, TestOwner);
