#include "resources/TerravueResources.h"

namespace dh::res {
namespace {

constexpr ResourceString kStrings[] = {
    {kModuleNameString, "Terravue"},
};

} // namespace

const ResourceTable kTerravueResources = {"Terravue", kLanguageChineseSimplified, kStrings, {}};

} // namespace dh::res
