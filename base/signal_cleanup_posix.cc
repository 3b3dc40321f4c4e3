#include "base/signal_cleanup_posix.h"

#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

namespace quorvane::base {
namespace {

// Names that the signal handler removes: the temporary file and the claim.
// Plain storage, since a handler may touch nothing else.
struct CleanupName {
  std::atomic<bool> armed{false};
  char path[PATH_MAX];
};
CleanupName cleanup_names[2];
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void RemoveNamesAndDie(int signal) {
  const int saved = errno;
  for (CleanupName& name : cleanup_names) {
    if (name.armed.load()) ::unlink(name.path);
  }
  // The signal stays blocked until the handler returns, then ends the
  // process with its default action.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
  errno = saved;
}

std::mutex& CleanupMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

HeldSignals::HeldSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kCleanupSignals) sigaddset(&set, signal);
  pthread_sigmask(SIG_BLOCK, &set, &old_);
}

HeldSignals::~HeldSignals() {
  pthread_sigmask(SIG_SETMASK, &old_, nullptr);
}

SignalCleanup::SignalCleanup() : lock_(CleanupMutex()) {
  for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
    struct sigaction old = {};
    if (::sigaction(kCleanupSignals[i], nullptr, &old) != 0) continue;
    // An ignored signal does no harm; a handler of the program's own is the
    // program's business.
    if ((old.sa_flags & SA_SIGINFO) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction ours = {};
    ours.sa_handler = RemoveNamesAndDie;
    sigfillset(&ours.sa_mask);
    if (::sigaction(kCleanupSignals[i], &ours, &old_[i]) == 0) installed_[i] = true;
  }
}

SignalCleanup::~SignalCleanup() {
  for (CleanupName& name : cleanup_names) name.armed.store(false);
  for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
    if (installed_[i]) ::sigaction(kCleanupSignals[i], &old_[i], nullptr);
  }
}

void SignalCleanup::Arm(Slot slot, const std::filesystem::path& path) {
  CleanupName& name = cleanup_names[slot];
  const std::string& text = path.native();
  if (text.size() >= sizeof name.path) return;
  std::memcpy(name.path, text.c_str(), text.size() + 1);
  name.armed.store(true);
}

void SignalCleanup::Disarm(Slot slot) {
  cleanup_names[slot].armed.store(false);
}

}  // namespace quorvane::base
