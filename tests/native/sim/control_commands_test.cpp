#include "sim/control_commands.h"

#include <gtest/gtest.h>

#include "host_stub.h"

namespace kv::sim {
namespace {

TEST(ControlCommands, DriveTheKeyboard) {
    SimHidService service;
    test::Host host(service);
    EXPECT_EQ(RunControlCommand(service, "unplug"), "ok\n");
    EXPECT_FALSE(service.Plugged());
    EXPECT_EQ(RunControlCommand(service, "layer"), "error: keyboard is not plugged in\n");
    EXPECT_EQ(RunControlCommand(service, "  plug \r\n"), "ok\n");
    EXPECT_EQ(RunControlCommand(service, "layer"), "ok\n");
    EXPECT_EQ(RunControlCommand(service, "consumer 0x1804"), "ok\n");

    EXPECT_EQ(RunControlCommand(service, "fault status fe 2"), "ok\nstatus FE 2\n");
    EXPECT_EQ(service.Faults().fail_status, 2u);
    RunControlCommand(service, "fault latency 20");
    EXPECT_EQ(service.Faults().latency, std::chrono::milliseconds(20));
    EXPECT_EQ(RunControlCommand(service, "fault clear"), "ok\n");
    EXPECT_EQ(service.DescribeFaults(), "none\n");
}

TEST(ControlCommands, DumpShowsAreaBytesWithOffsets) {
    SimHidService service;
    EXPECT_EQ(RunControlCommand(service, "dump macro 0 16"),
              "ok\n0000: AA 55 10 00 00 00 01 00 00 00 00 00 00 00 00 00\n");
    EXPECT_EQ(RunControlCommand(service, "dump settings 10 2"), "ok\n000A: 00 40\n");
    EXPECT_EQ(RunControlCommand(service, "dump matrix 509"), "ok\n01FD: 00 00 00\n");
}

TEST(ControlCommands, PokeWritesBytesIntoAnArea) {
    SimHidService service;
    EXPECT_EQ(RunControlCommand(service, "poke keymaps 0x203 02 2 A0"), "ok\n");
    EXPECT_EQ(RunControlCommand(service, "dump keymaps 0x203 3"), "ok\n0203: 02 02 A0\n");
    EXPECT_EQ(RunControlCommand(service, "poke settings 47 ff"), "ok\n");
    EXPECT_EQ(service.AreaBytes(Area::kSettings)[47], 0xFF);
    EXPECT_EQ(RunControlCommand(service, "fault after 12"), "ok\nafter 12\n");
}

TEST(ControlCommands, BadInputGetsAReasonAndChangesNothing) {
    SimHidService service;
    const char* lines[] = {"",
                           "frobnicate",
                           "fault",
                           "fault wrong-code x",
                           "fault status 12 1",
                           "dump",
                           "dump flash",
                           "dump settings 49",
                           "busy maybe",
                           "consumer 0x10000",
                           "timing",
                           "reset 256",
                           "fault after",
                           "poke keymaps 0",
                           "poke flash 0 01",
                           "poke settings 48 01",
                           "poke settings 46 01 02 03",
                           "poke settings 0 100",
                           "poke settings 0 0g"};
    for (const char* line : lines) {
        std::string answer = RunControlCommand(service, line);
        EXPECT_EQ(answer.rfind("error: ", 0), 0u) << line << " -> " << answer;
    }
    EXPECT_EQ(service.DescribeFaults(), "none\n");
    EXPECT_EQ(service.Memory(), KeyboardMemory::Factory());
}

}  // namespace
}  // namespace kv::sim
