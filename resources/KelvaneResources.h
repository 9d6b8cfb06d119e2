// Kelvane's resources: its string table and the dialog template of the option dialog.
#pragma once

#include "resources/ResourceTable.h"

namespace dh::res {

constexpr unsigned kOptionMigrateDialog = 103;
// Control ids of the option dialog.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdAdd = 101;
constexpr int kIdRemove = 104;
constexpr int kIdHint = 105;
constexpr int kIdLeftList = 106;
constexpr int kIdRightList = 107;
constexpr int kIdReset = 116;

extern const ResourceTable kKelvaneResources;

} // namespace dh::res
