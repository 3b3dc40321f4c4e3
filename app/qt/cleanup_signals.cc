#include "app/qt/cleanup_signals.h"

#include <pthread.h>

#include <array>

namespace quorvane::app::qt {
namespace {

// Those of the atomic writer.
constexpr std::array kCleanupSignals = {SIGTERM, SIGHUP, SIGINT, SIGXFSZ, SIGPIPE};

}  // namespace

CleanupSignalsHeld::CleanupSignalsHeld() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kCleanupSignals) sigaddset(&set, signal);
  pthread_sigmask(SIG_BLOCK, &set, &old_);
}

CleanupSignalsHeld::~CleanupSignalsHeld() {
  pthread_sigmask(SIG_SETMASK, &old_, nullptr);
}

}  // namespace quorvane::app::qt
