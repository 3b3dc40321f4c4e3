#ifndef QUORVANE_WORD_COM_BUSY_POLICY_H_
#define QUORVANE_WORD_COM_BUSY_POLICY_H_

// What a caller does while Word is busy: it rejects calls while it starts,
// shows a dialog or saves, and a call can stay pending while Word waits for
// its user. One policy for both paths that meet it: COM's message filter and
// the automation layer's own retry (Wine's channel never retries).

#include <windows.h>

#include <ole2.h>

#include <chrono>
#include <functional>
#include <memory>

namespace quorvane::word::com {

using Milliseconds = std::chrono::milliseconds;

// Where the program asks its user, or decides for them.
class BusyPrompt {
 public:
  virtual ~BusyPrompt() = default;
  // A call was first rejected: the silent wait begins.
  virtual void WaitStarted() {}
  // The wait is past its bound, or the user acts on the program during a
  // long call: true waits again, false fails the call.
  virtual bool KeepWaiting() = 0;
};

struct BusyTiming {
  // Visual Basic's App.OleServerBusyTimeout: rejected calls are retried
  // silently this long before the user is asked.
  Milliseconds bound{10'000};
  Milliseconds interval{100};
  // Visual Basic's App.OleRequestPendingTimeout: a call pending this long
  // offers the dialog when the user acts on the program.
  Milliseconds pendingPatience{5'000};
};

// Whether a call came back because the server was busy.
bool IsBusy(HRESULT code);

class BusyPolicy {
 public:
  // Without a prompt, a call still rejected past the bound fails.
  explicit BusyPolicy(std::shared_ptr<BusyPrompt> prompt = nullptr, BusyTiming timing = {});

  // One call's wait; `waited` is the time since the call was first made.
  class Wait {
   public:
    explicit Wait(const BusyPolicy& policy) : policy_(policy) {}
    // After a rejection: how long to pause before the next try, or a
    // negative duration to give up.
    Milliseconds Next(Milliseconds waited);

   private:
    const BusyPolicy& policy_;
    bool started_ = false;
    Milliseconds until_{0};
  };

  // Runs `call` again while it comes back busy, pausing between tries with
  // the window painted. Returns the last try's result.
  HRESULT Run(const std::function<HRESULT()>& call) const;

  // Past the bound, or when the user acts during a long call: the prompt's
  // answer, false without one.
  bool KeepWaiting() const;

  const BusyTiming& timing() const { return timing_; }

 private:
  std::shared_ptr<BusyPrompt> prompt_;
  BusyTiming timing_;
};

// Sleeps for `duration` while letting the thread's windows repaint; other
// messages wait in the queue, so that nothing the user does runs meanwhile.
void PausePainting(Milliseconds duration);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_BUSY_POLICY_H_
