#include "word/com/message_filter.h"

#include <optional>
#include <utility>

#include "word/com/com_error.h"
#include "word/com/com_object.h"

namespace quorvane::word::com {
namespace {

// Takes the keyboard and mouse messages that reached the program while a
// call was pending: they were a question to the busy program, not a command.
// True when one was a key press or a click.
bool TakeInput() {
  bool acted = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    switch (message.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
        acted = true;
        break;
      default:
        break;
    }
  }
  return acted;
}

class MessageFilter final : public ComObject<IMessageFilter> {
 public:
  explicit MessageFilter(std::shared_ptr<const BusyPolicy> policy) : policy_(std::move(policy)) {}

  // The programs serve no calls of their own worth refusing.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }

  // COM asks again for the same call with a growing tick count; a smaller
  // one starts the next call's wait.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD tickCount, DWORD rejectType) override {
    if (rejectType != SERVERCALL_REJECTED && rejectType != SERVERCALL_RETRYLATER) {
      return static_cast<DWORD>(-1);
    }
    if (!wait_ || tickCount < lastRetryTick_) wait_.emplace(*policy_);
    lastRetryTick_ = tickCount;
    const Milliseconds pause = wait_->Next(Milliseconds{tickCount});
    if (pause < Milliseconds{0}) {
      wait_.reset();
      return static_cast<DWORD>(-1);
    }
    // 100 or more is a pause before the retry; less retries at once.
    return static_cast<DWORD>(pause.count());
  }

  // Asked again and again while a call is pending. WAITDEFPROCESS lets paint
  // messages through; input is taken away, and a click or key press during
  // a long call offers the busy dialog.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD tickCount, DWORD) override {
    const DWORD patience = static_cast<DWORD>(policy_->timing().pendingPatience.count());
    if (tickCount < lastPendingTick_) askAt_ = patience;  // another call
    lastPendingTick_ = tickCount;
    if (!TakeInput() || tickCount < askAt_) return PENDINGMSG_WAITDEFPROCESS;
    if (!policy_->KeepWaiting()) return PENDINGMSG_CANCELCALL;
    askAt_ = tickCount + patience;
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  std::shared_ptr<const BusyPolicy> policy_;
  std::optional<BusyPolicy::Wait> wait_;
  DWORD lastRetryTick_ = 0;
  DWORD lastPendingTick_ = 0;
  DWORD askAt_ = static_cast<DWORD>(policy_->timing().pendingPatience.count());

  bool Is(REFIID iid) const override { return iid == IID_IMessageFilter; }
};

}  // namespace

MessageFilterRegistration::MessageFilterRegistration(std::shared_ptr<const BusyPolicy> policy) {
  const auto filter = MakeComObject<MessageFilter>(std::move(policy));
  const HRESULT hr = CoRegisterMessageFilter(filter.get(), previous_.Receive());
  if (FAILED(hr)) {
    throw ComError(
        hr, "The message filter for a busy Word could not be registered: " + DescribeHResult(hr));
  }
}

MessageFilterRegistration::~MessageFilterRegistration() {
  IMessageFilter* ours = nullptr;
  CoRegisterMessageFilter(previous_.get(), &ours);
  if (ours != nullptr) ours->Release();
}

}  // namespace quorvane::word::com
