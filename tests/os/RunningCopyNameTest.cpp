#include "os/RunningCopyName.h"

#include <gtest/gtest.h>

namespace {

struct Call {
  const char* name;
  std::string sent;  // the call as it arrives
  std::string token;
};

class RunningCopyCallTest : public ::testing::TestWithParam<Call> {};

TEST_P(RunningCopyCallTest, TheRunningCopyTakesOnlyALineOfPrintableTokenFromACall) {
  EXPECT_EQ(ActivationTokenOf(GetParam().sent), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RunningCopyCallTest,
    ::testing::Values(Call{"token", RunningCopyCall("weston-3_a.b:c"), "weston-3_a.b:c"},
                      Call{"none", RunningCopyCall(""), ""}, Call{"unfinished", "abc", ""},
                      Call{"blank", RunningCopyCall("a b"), ""}, Call{"control", RunningCopyCall("a\tb"), ""},
                      Call{"longest", RunningCopyCall(std::string(255, 't')), std::string(255, 't')},
                      Call{"too_long", RunningCopyCall(std::string(256, 't')), ""}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
