#include <gtest/gtest.h>
#include <windows.h>
#include "hidserv/HidServ.h"
TEST(Smoke, Runs) { EXPECT_NE(GetCurrentProcessId(), 0u); }
