// A module's resources: the dialog layer's resource format (string table and dialog
// templates), which every module's table is written in.
#pragma once

#include <acui/AcUiResources.h>
