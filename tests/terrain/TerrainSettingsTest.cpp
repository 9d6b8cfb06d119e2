// Terravue's settings as another module reaches them: through dlsym on the loaded module.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

void* openTerravue()
{
    const char* binary = std::getenv("DH_BINARY_DIR");
    const std::string path =
        (std::filesystem::path(binary ? binary : ".") / "bin" / "Terravue.so").string();
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

template <class F>
F* symbol(void* module, const char* name)
{
    return reinterpret_cast<F*>(dlsym(module, name));
}

TEST(TerrainSettings, StoredUncheckedUntilTheModuleIsLoadedAgain)
{
    void* module = openTerravue();
    ASSERT_NE(module, nullptr) << dlerror();
    auto* getProportion = symbol<double()>(module, "getST_MapProportion");
    auto* setProportion = symbol<void(double)>(module, "setST_MapProportion");
    auto* getRadius = symbol<double()>(module, "getST_SpotRadius");
    auto* setRadius = symbol<void(double)>(module, "setST_SpotRadius");
    ASSERT_TRUE(getProportion && setProportion && getRadius && setRadius);
    EXPECT_EQ(getProportion(), 1000.0);
    EXPECT_EQ(getRadius(), 0.15);

    setProportion(500.0);
    setRadius(0.0);
    EXPECT_EQ(getProportion(), 500.0);
    EXPECT_EQ(getRadius(), 0.0);
    setRadius(-2.5);
    setProportion(-1.0);
    EXPECT_EQ(getRadius(), -2.5);
    EXPECT_EQ(getProportion(), -1.0);
    ASSERT_EQ(dlclose(module), 0);

    module = openTerravue();
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_EQ(symbol<double()>(module, "getST_MapProportion")(), 1000.0);
    EXPECT_EQ(symbol<double()>(module, "getST_SpotRadius")(), 0.15);
    dlclose(module);
}

} // namespace
