#include "sim/state_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "host_stub.h"
#include "sim/sim_service.h"

namespace kv::sim {
namespace {

namespace fs = std::filesystem;
using test::Request;

class StateFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("kv_sim_state_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = dir / "HidServSim.state";
    }
    void TearDown() override { fs::remove_all(dir); }

    static KeyboardMemory Changed() {
        KeyboardMemory m = KeyboardMemory::Factory(8);
        uint8_t b[3] = {1, 2, 3};
        m.Write(Area::kKeyMaps, 1533, b);
        m.Write(Area::kMacro, 1021, b);
        m.Write(Area::kKeyColours, 0, b);
        return m;
    }

    fs::path dir, path;
};

TEST_F(StateFileTest, RoundTripKeepsEveryArea) {
    KeyboardMemory m = Changed();
    ASSERT_TRUE(SaveMemoryState(m, path));
    auto loaded = LoadMemoryState(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, m);
    EXPECT_EQ(loaded->MacroCapacity(), 1024u);
    EXPECT_FALSE(fs::exists(dir / "HidServSim.state.tmp"));
}

TEST_F(StateFileTest, DamagedImagesAreRejected) {
    std::vector<uint8_t> good = EncodeMemoryState(Changed());
    auto with = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const size_t settings_size_at = 8 + 4 + 4 + 4;
    const size_t capacity_at = settings_size_at + 4 + 11;
    const Case cases[] = {
        {"empty", {}},
        {"bad magic", with([](auto& b) { b[0] = 'X'; })},
        {"future version", with([](auto& b) { b[8] = 2; })},
        {"truncated", with([](auto& b) { b.resize(b.size() - 1); })},
        {"trailing byte", with([](auto& b) { b.push_back(0); })},
        {"short settings block", with([&](auto& b) { b[settings_size_at] = 47; })},
        {"capacity disagrees with macro area", with([&](auto& b) { b[capacity_at] = 9; })},
        {"areas out of order", with([&](auto& b) { b[16] = 1; })},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(DecodeMemoryState(c.bytes, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
    EXPECT_TRUE(DecodeMemoryState(good));
}

TEST_F(StateFileTest, ServiceSavesWhenTheExchangeClosesAndTheNextRunLoadsIt) {
    {
        SimHidService service({.state_file = path});
        test::Host host(service);
        host.Exchange(Request(0x01));
        host.Exchange(Request(0x08, 3, 600, std::vector<uint8_t>{5, 1, 2}));
        EXPECT_FALSE(fs::exists(path)) << "nothing saved while the exchange is open";
        host.Exchange(Request(0x02));
        EXPECT_TRUE(fs::exists(path));
    }
    SimHidService next({.state_file = path});
    auto maps = next.AreaBytes(Area::kKeyMaps);
    EXPECT_EQ(maps[600], 5);
    EXPECT_EQ(maps[602], 2);
    EXPECT_TRUE(next.StateError().empty());
}

TEST_F(StateFileTest, UnreadableFileLeavesFactoryMemory) {
    std::ofstream(path, std::ios::binary) << "garbage";
    SimHidService service({.state_file = path});
    EXPECT_FALSE(service.StateError().empty());
    EXPECT_EQ(service.Memory(), KeyboardMemory::Factory());
}

}  // namespace
}  // namespace kv::sim
