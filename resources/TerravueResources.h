// Terravue's resources: its string table only.
#pragma once

#include "resources/ResourceTable.h"

namespace dh::res {

extern const ResourceTable kTerravueResources;

} // namespace dh::res
