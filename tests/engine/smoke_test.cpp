#include <gtest/gtest.h>
#include "rig.h"
TEST(Smoke, Builds) { orlan::test::Rig r; r.tacts(4); EXPECT_EQ(r.m.s.pc, 1); }
