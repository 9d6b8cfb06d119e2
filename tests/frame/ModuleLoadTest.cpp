// Loading, using and unloading the real modules in a host session.
#include "tests/frame/ModuleHost.h"

#include <acap/AcApDocManager.h>
#include <aced/AcEdCommandStack.h>
#include <acui/AcUi.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

const char* const kLispNames[] = {
    "Utl_ReleaseSS", "Sys_SearchPath", "UI_OptionMigrate", "Cur_ListPolyLine",
    "Cur_getSplitCurves", "Cur_PolyToLW", "Cur_SPlineToLW", "Cur_isClockwise",
    "Cur_RarefyLwPL", "Cur_ReverseTowards", "Cur_TRDWG", "Cur_CopyEdgeToNewDatabase",
    "Cur_GetDistAtPoint", "Cur_GetClosestPointTo", "Ent_setXData", "Ent_getXData",
    "Str_Split", "Str_Replace",
};

// Whether LISP knows the name as a function in the active drawing: a defined function
// called without arguments answers nil or fails, an unknown one is reported as such.
bool isDefined(dh::test::ModuleHost& host, const char* name)
{
    const std::string printed = host.eval(std::string("(") + name + ")");
    return printed == "nil" || printed.find("function failed") != std::string::npos;
}

void noCommand() {}

TEST(ModuleLoad, KelvaneDefinesItsFunctionsInEveryDrawingUntilUnloaded)
{
    dh::test::ModuleHost host;
    EXPECT_FALSE(isDefined(host, "Str_Replace"));
    ASSERT_TRUE(host.load("Kelvane"));
    for (const char* name : kLispNames)
        EXPECT_TRUE(isDefined(host, name)) << name;

    host.eval("NEW");
    EXPECT_EQ(host.session().documents().size(), 2u);
    for (const char* name : kLispNames)
        EXPECT_TRUE(isDefined(host, name)) << name << " in the second drawing";
    EXPECT_EQ(host.eval(R"((Str_Replace "abc" "b" "x"))"), R"("axc")");

    ASSERT_TRUE(host.unload("Kelvane"));
    for (const char* name : kLispNames)
        EXPECT_FALSE(isDefined(host, name)) << name << " after unloading";
}

TEST(ModuleLoad, TerravueRegistersTheCommandsItCanAndRemovesOnlyThose)
{
    dh::test::ModuleHost host;
    AcEdCommandStack* stack = acedRegCmds;
    ASSERT_NE(stack, nullptr);
    ASSERT_EQ(stack->addCommand("Other", "JLL_T", "JLL_T", ACRX_CMD_MODAL, &noCommand), Acad::eOk);

    ASSERT_TRUE(host.load("Terravue"));
    for (const char* name : {"CHGC_T", "CHGCD_T"}) {
        const AcEdCommand* command = stack->lookupGlobalCmd(name);
        ASSERT_NE(command, nullptr) << name;
        EXPECT_STREQ(command->commandGroup(), "Terravue");
        EXPECT_EQ(command->commandFlags(), ACRX_CMD_TRANSPARENT);
        EXPECT_NE(command->resourceHandle(), nullptr);
        EXPECT_EQ(command->functionCode(), -1);
    }
    EXPECT_STREQ(stack->lookupGlobalCmd("JLL_T")->commandGroup(), "Other");
    EXPECT_STREQ(stack->lookupCmd("_CHGCD_T")->globalName(), "CHGCD_T");

    ASSERT_TRUE(host.unload("Terravue"));
    EXPECT_EQ(stack->lookupGlobalCmd("CHGC_T"), nullptr);
    EXPECT_EQ(stack->lookupGlobalCmd("CHGCD_T"), nullptr);
    ASSERT_NE(stack->lookupGlobalCmd("JLL_T"), nullptr);
    EXPECT_STREQ(stack->lookupGlobalCmd("JLL_T")->commandGroup(), "Other");
    stack->removeGroup("Other");
}

// The module as the loader sees it, apart from the host: its exports and its start-up step.
class ModuleObject : public ::testing::Test {
protected:
    void open(const char* name)
    {
        const std::string path = (dh::test::ModuleHost::moduleDir() / name).string();
        m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
    }
    void close()
    {
        if (m_handle != nullptr)
            dlclose(m_handle);
        m_handle = nullptr;
    }
    template <class F>
    F* symbol(const char* name)
    {
        return reinterpret_cast<F*>(dlsym(m_handle, name));
    }
    void TearDown() override { close(); }

    void* m_handle = nullptr;
};

TEST_F(ModuleObject, BothModulesExportOnlyTheirEntryPoints)
{
    for (const char* name : {"Kelvane.so", "Terravue.so"}) {
        open(name);
        auto* version = symbol<int()>("acrxGetApiVersion");
        ASSERT_NE(version, nullptr) << name;
        EXPECT_EQ(version(), 0x00100000) << name;
        // Called with a plain int: 16 is no AppMsgCode, so it cannot be made one here.
        auto* entry = symbol<int(int, void*)>("acrxEntryPoint");
        ASSERT_NE(entry, nullptr) << name;
        // Outside a host session every message still gets its answer, 0.
        for (int code = 0; code <= 15; ++code)
            EXPECT_EQ(entry(code, nullptr), 0) << name << " code " << code;
        EXPECT_EQ(entry(16, nullptr), 0) << name;
        EXPECT_EQ(entry(1000, nullptr), 0) << name;
        EXPECT_EQ(symbol<void>("lispFunctionTable"), nullptr) << name;
        EXPECT_EQ(symbol<void>("commandTable"), nullptr) << name;
        close();
    }
}

TEST_F(ModuleObject, StartUpListsTheModuleResourcesUnderItsHandle)
{
    open("Kelvane.so");
    const AcUiExtensionModule* record = acuiFindExtensionModule(m_handle);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->initialized);
    EXPECT_NE(record->resources, nullptr);
    close();
    EXPECT_EQ(acuiFindExtensionModule(m_handle), nullptr);
}

} // namespace
