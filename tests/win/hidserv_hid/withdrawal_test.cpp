// Withdrawing a standing read, and what the library does with callbacks and a
// backend that misbehave.
#include <atomic>

#include "service_fixture.h"

namespace kv::hidserv::test {
namespace {

using kv::device::VendorSelector;

constexpr uint32_t kRacer = 0x52414345;  // a read that is withdrawn mid-stream
constexpr uint32_t kWitness = 0x5749544E;

std::atomic<bool> g_withdrawn{false};
std::atomic<bool> g_withdrawing{false};
std::atomic<bool> g_inside{false};
std::atomic<int> g_calls_after{0};

// Stays inside until the withdrawal has been asked for, and a while longer:
// a withdrawal that does not wait for it returns while it still runs.
int RacingCallback(const NotificationRecord*) {
    g_inside = true;
    WaitUntil([] { return g_withdrawing.load(); }, 2s);
    std::this_thread::sleep_for(20ms);
    if (g_withdrawn) ++g_calls_after;
    return 1;
}

TEST_F(HidServiceTest, NoCallbackRunsOnceTheWithdrawalHasReturned) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    g_withdrawn = false;
    g_withdrawing = false;
    g_inside = false;
    g_calls_after = 0;
    const uint32_t unit = Read(VendorSelector(), kRacer, &RacingCallback);
    Read(VendorSelector(), kWitness);
    std::atomic<bool> pumping{true};
    std::thread pump([&] {
        for (uint8_t n = 0; pumping; ++n) {
            k.vendor->PushInput({4, 0, 0, n});
            std::this_thread::sleep_for(100us);
        }
    });
    ASSERT_TRUE(WaitUntil([] { return g_inside.load(); }));
    g_withdrawing = true;
    EXPECT_EQ(service_->DeleteRequestFromUnitId(unit), 1);
    g_withdrawn = true;
    // Deliveries go on to the witness; none may reach the withdrawn read.
    const size_t seen_then = Recorder::Instance().WithTag(kWitness).size();
    EXPECT_TRUE(WaitUntil([&] { return Recorder::Instance().WithTag(kWitness).size() > seen_then + 50; }));
    pumping = false;
    pump.join();
    EXPECT_EQ(g_calls_after, 0);
    EXPECT_EQ(service_->DeleteRequestFromUnitId(unit), 0);
}

HidService* g_service = nullptr;
std::atomic<uint32_t> g_own_unit{0};
std::atomic<int> g_self_calls{0};
std::atomic<int> g_self_delete_result{-1};

int SelfWithdrawingCallback(const NotificationRecord*) {
    ++g_self_calls;
    g_self_delete_result = g_service->DeleteRequestFromUnitId(g_own_unit);
    return 1;
}

TEST_F(HidServiceTest, ACallbackMayWithdrawItsOwnRead) {
    const FakeKeyboard k = PlugKeyboard();
    g_service = &Start();
    g_self_calls = 0;
    g_own_unit = Read(VendorSelector(), kRacer, &SelfWithdrawingCallback);
    Read(VendorSelector(), kWitness);
    k.vendor->PushInput({4, 0, 0, 1});
    k.vendor->PushInput({4, 0, 0, 2});
    ASSERT_TRUE(WaitUntil([] { return Recorder::Instance().WithTag(kWitness).size() == 2; }))
        << "the reader hung in the withdrawal";
    EXPECT_EQ(g_self_calls, 1);
    EXPECT_EQ(g_self_delete_result, 1);
    g_service = nullptr;
}

int ThrowingCallback(const NotificationRecord*) { throw std::runtime_error("callback"); }

TEST_F(HidServiceTest, AThrowingCallbackDoesNotStopTheReader) {
    const FakeKeyboard k = PlugKeyboard();
    Start();
    Read(VendorSelector(), kRacer, &ThrowingCallback);
    Read(VendorSelector(), kWitness);
    k.vendor->PushInput({4, 0, 0, 1});
    k.vendor->PushInput({4, 0, 0, 2});
    EXPECT_TRUE(WaitUntil([] { return Recorder::Instance().WithTag(kWitness).size() == 2; }));
}

TEST_F(HidServiceTest, ABackendThatThrowsFailsTheCallsAndNothingElse) {
    PlugKeyboard();
    backend_.ThrowFromEverything(true);
    service_ = std::make_unique<HidService>(backend_, FastOptions());
    EXPECT_EQ(service_->Init(0), 0);
    backend_.ThrowFromEverything(false);
    EXPECT_EQ(service_->Init(0), 1) << "a later Init may still succeed";
    EXPECT_EQ(Count(VendorSelector()), 1);
    const int throws_before = backend_.Throws();
    backend_.ThrowFromEverything(true);
    backend_.Notify();
    ASSERT_TRUE(WaitUntil([&] { return backend_.Throws() > throws_before; }))
        << "no scan on the library's thread";
    backend_.ThrowFromEverything(false);
    EXPECT_EQ(WriteOne(CommandReport(0x03)), 1);
}

}  // namespace
}  // namespace kv::hidserv::test
