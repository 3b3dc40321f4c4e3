#include "word/com/busy_policy.h"

#include <utility>

namespace quorvane::word::com {
namespace {

using Clock = std::chrono::steady_clock;

Milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<Milliseconds>(Clock::now() - start);
}

}  // namespace

bool IsBusy(HRESULT code) {
  return code == RPC_E_CALL_REJECTED || code == RPC_E_SERVERCALL_RETRYLATER;
}

BusyPolicy::BusyPolicy(std::shared_ptr<BusyPrompt> prompt, BusyTiming timing)
    : prompt_(std::move(prompt)), timing_(timing) {}

Milliseconds BusyPolicy::Wait::Next(Milliseconds waited) {
  if (!started_) {
    started_ = true;
    until_ = policy_.timing_.bound;
    if (policy_.prompt_) policy_.prompt_->WaitStarted();
  }
  if (waited >= until_) {
    if (!policy_.KeepWaiting()) return Milliseconds{-1};
    until_ = waited + policy_.timing_.bound;
  }
  return policy_.timing_.interval;
}

HRESULT BusyPolicy::Run(const std::function<HRESULT()>& call) const {
  Wait wait(*this);
  const Clock::time_point start = Clock::now();
  for (;;) {
    const HRESULT hr = call();
    if (!IsBusy(hr)) return hr;
    const Milliseconds pause = wait.Next(Since(start));
    if (pause < Milliseconds{0}) return hr;
    PausePainting(pause);
  }
}

bool BusyPolicy::KeepWaiting() const {
  return prompt_ != nullptr && prompt_->KeepWaiting();
}

void PausePainting(Milliseconds duration) {
  const Clock::time_point end = Clock::now() + duration;
  for (Milliseconds left = duration; left > Milliseconds{0};
       left = std::chrono::duration_cast<Milliseconds>(end - Clock::now())) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_PAINT);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
}

}  // namespace quorvane::word::com
