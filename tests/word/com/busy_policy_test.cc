// The busy policy: busy calls tried again, the prompt told once and asked
// past the bound, other failures passed on at once.

#include "word/com/busy_policy.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace quorvane::word::com {
namespace {

struct CountingPrompt final : BusyPrompt {
  void WaitStarted() override { ++started; }
  bool KeepWaiting() override { return asked < answers.size() && answers[asked++]; }
  std::vector<bool> answers;
  std::size_t started = 0;
  std::size_t asked = 0;
};

TEST(BusyPolicyTest, BusyCallsAreRetriedWithinTheBoundAndThenThePromptDecides) {
  struct Case {
    const char* name;
    Milliseconds bound;
    int busyTries;  // -1: busy for ever
    HRESULT busyCode;
    HRESULT after;  // the answer once no longer busy
    std::vector<bool> answers;
    HRESULT result;
    std::size_t started, asked;
  };
  const Case cases[] = {
      {"rejected, then taken", Milliseconds{60'000}, 3, RPC_E_CALL_REJECTED, S_OK, {}, S_OK, 1, 0},
      {"retry later, then taken",
       Milliseconds{60'000},
       2,
       RPC_E_SERVERCALL_RETRYLATER,
       S_OK,
       {},
       S_OK,
       1,
       0},
      {"busy past the bound, cancelled",
       Milliseconds{20},
       -1,
       RPC_E_CALL_REJECTED,
       S_OK,
       {false},
       RPC_E_CALL_REJECTED,
       1,
       1},
      {"retried once more, then cancelled",
       Milliseconds{20},
       -1,
       RPC_E_SERVERCALL_RETRYLATER,
       S_OK,
       {true, false},
       RPC_E_SERVERCALL_RETRYLATER,
       1,
       2},
      {"a dead server is not busy",
       Milliseconds{60'000},
       0,
       S_OK,
       RPC_E_DISCONNECTED,
       {},
       RPC_E_DISCONNECTED,
       0,
       0},
  };
  for (const Case& c : cases) {
    const auto prompt = std::make_shared<CountingPrompt>();
    prompt->answers = c.answers;
    const BusyPolicy policy(prompt, {.bound = c.bound, .interval = Milliseconds{1}});
    int tries = 0;
    const HRESULT result = policy.Run([&] {
      ++tries;
      return c.busyTries < 0 || tries <= c.busyTries ? c.busyCode : c.after;
    });
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(prompt->started, c.started) << c.name;
    EXPECT_EQ(prompt->asked, c.asked) << c.name;
    if (c.busyTries >= 0) {
      EXPECT_EQ(tries, c.busyTries + 1) << c.name;
    }
  }
}

}  // namespace
}  // namespace quorvane::word::com
