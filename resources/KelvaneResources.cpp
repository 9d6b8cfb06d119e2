#include "resources/KelvaneResources.h"

namespace dh::res {
namespace {

constexpr ResourceString kStrings[] = {
    {kModuleNameString, "Kelvane"},
};

constexpr std::uint32_t kListCommon = kNotify | kNoIntegralHeight | kVerticalScroll | kBorder;

constexpr DialogControl kOptionMigrateControls[] = {
    {kIdOk, ControlKind::PushButton, "确定", 35, 223, 50, 16, kDefaultButton},
    {kIdCancel, ControlKind::PushButton, "取消", 200, 223, 50, 16, kStyleNone},
    {kIdAdd, ControlKind::PushButton, "添加 >>", 120, 50, 40, 15, kStyleNone},
    {kIdRemove, ControlKind::PushButton, "<< 移除", 120, 170, 40, 15, kStyleNone},
    {kIdReset, ControlKind::PushButton, "重置", 120, 110, 40, 15, kStyleNone},
    {kIdHint, ControlKind::StaticText, "提示", 10, 10, 172, 12, kTransparent},
    {-1, ControlKind::StaticFrame, nullptr, 10, 215, 265, 1, kSunkenHorizontalLine},
    {kIdLeftList, ControlKind::ListBox, nullptr, 10, 25, 100, 185,
     kSorted | kMultipleSelection | kListCommon},
    {kIdRightList, ControlKind::ListBox, nullptr, 175, 25, 100, 185, kListCommon},
};

constexpr DialogTemplate kDialogs[] = {
    {kOptionMigrateDialog, kLanguageChineseSimplified, "选择", "Tahoma", 8, 285, 246,
     kModalFrame | kSystemMenu, kOptionMigrateControls},
};

} // namespace

const ResourceTable kKelvaneResources = {"Kelvane", kLanguageChineseSimplified, kStrings, kDialogs};

} // namespace dh::res
