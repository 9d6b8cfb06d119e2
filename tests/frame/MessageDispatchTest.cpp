// The application object's routing of host messages to its 17 slots.
#include "frame/AcRxDbxApp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records which slot each message reached.
class RecordingApp : public AcRxDbxApp {
public:
    std::vector<int> slots;

    AcRx::AppRetCode record(int slot)
    {
        slots.push_back(slot);
        return AcRx::kRetOK;
    }
    AcRx::AppRetCode On_kInitAppMsg(void* pkt) override
    {
        record(0);
        return AcRxDbxApp::On_kInitAppMsg(pkt);
    }
    AcRx::AppRetCode On_kUnloadAppMsg(void*) override { return record(1); }
    AcRx::AppRetCode On_kLoadDwgMsg(void*) override { return record(2); }
    AcRx::AppRetCode On_kUnloadDwgMsg(void*) override { return record(3); }
    AcRx::AppRetCode On_kInvkSubrMsg(void*) override { return record(4); }
    AcRx::AppRetCode On_kCfgMsg(void*) override { return record(5); }
    AcRx::AppRetCode On_kEndMsg(void*) override { return record(6); }
    AcRx::AppRetCode On_kQuitMsg(void*) override { return record(7); }
    AcRx::AppRetCode On_kSaveMsg(void*) override { return record(8); }
    AcRx::AppRetCode On_kDependencyMsg(void*) override { return record(9); }
    AcRx::AppRetCode On_kNoDependencyMsg(void*) override { return record(10); }
    AcRx::AppRetCode On_kOleUnloadAppMsg(void*) override { return record(11); }
    AcRx::AppRetCode On_kPreQuitMsg(void*) override { return record(12); }
    AcRx::AppRetCode On_kInitDialogMsg(void*) override { return record(13); }
    AcRx::AppRetCode On_kEndDialogMsg(void*) override { return record(14); }
    AcRx::AppRetCode On_kNullMsg(void*) override { return record(15); }
    void RegisterServerComponents() override { record(16); }
};

TEST(MessageDispatch, EachCodeReachesItsSlotAndOthersNone)
{
    RecordingApp app;
    for (int code = 2; code <= 15; ++code) {
        app.slots.clear();
        EXPECT_EQ(app.messageHandler(code, nullptr), AcRx::kRetOK);
        EXPECT_EQ(app.slots, std::vector<int>{code - 1}) << "code " << code;
    }
    app.slots.clear();
    app.messageHandler(AcRx::kNullMsg, nullptr);
    EXPECT_EQ(app.slots, std::vector<int>{15});

    for (int code : {16, 17, 255, -1}) {
        app.slots.clear();
        EXPECT_EQ(app.messageHandler(code, nullptr), 0) << "code " << code;
        EXPECT_TRUE(app.slots.empty()) << "code " << code;
    }
}

TEST(MessageDispatch, InitialisationCallsTheHookOnceWithoutAHostSession)
{
    // Without a running host the registry lookups find nothing; the message still succeeds.
    RecordingApp app;
    EXPECT_EQ(app.messageHandler(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(app.slots, (std::vector<int>{0, 16}));
}

} // namespace
