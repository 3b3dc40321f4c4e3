#ifndef QUORVANE_BASE_SIGNAL_CLEANUP_POSIX_H_
#define QUORVANE_BASE_SIGNAL_CLEANUP_POSIX_H_

// Removal of half-made names by the signals a program can catch, so that a
// write ended by SIGTERM, SIGHUP, SIGINT, SIGXFSZ or SIGPIPE leaves nothing.

#include <signal.h>

#include <array>
#include <filesystem>
#include <mutex>

namespace quorvane::base {

// The signals whose default action ends the process and that a write can
// meet: a kill, a closed terminal, Ctrl-C, a file size limit, a closed pipe.
inline constexpr std::array kCleanupSignals = {SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE};

// Holds those signals back, so that a name and its arming come together.
class HeldSignals {
 public:
  HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;
  ~HeldSignals();

 private:
  sigset_t old_;
};

// While it lives, the catchable signals whose action is the default remove
// the armed names before they end the process. One at a time per process:
// the names are process-wide.
class SignalCleanup {
 public:
  enum Slot { kTemporary = 0, kClaim = 1 };

  SignalCleanup();
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;
  ~SignalCleanup();

  // Call with the signals held, right after the name was made.
  static void Arm(Slot slot, const std::filesystem::path& path);
  // Call with the signals held, right after the name was moved or removed.
  static void Disarm(Slot slot);

 private:
  std::lock_guard<std::mutex> lock_;
  std::array<struct sigaction, kCleanupSignals.size()> old_ = {};
  std::array<bool, kCleanupSignals.size()> installed_ = {};
};

}  // namespace quorvane::base

#endif  // QUORVANE_BASE_SIGNAL_CLEANUP_POSIX_H_
