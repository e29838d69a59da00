#include <gtest/gtest.h>
#include "protocol/param_record.h"
TEST(Smoke, Builds) { murmex::CParamRecord r; EXPECT_EQ(r.Serialize(), ""); }
