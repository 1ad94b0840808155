#include <gtest/gtest.h>
#include "hidserv/HidServ.h"
TEST(Smoke, Runs) { EXPECT_EQ(sizeof(DeviceSelector), 16u); }
