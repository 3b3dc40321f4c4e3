#ifndef QUORVANE_APP_QT_CLEANUP_SIGNALS_H_
#define QUORVANE_APP_QT_CLEANUP_SIGNALS_H_

// The atomic file writer (base/files.h) removes what it would
// leave when SIGTERM, SIGHUP, SIGINT, SIGXFSZ or SIGPIPE ends the process.
// It holds them back in its own thread while a name and its removal are set
// up together; had another thread (Qt starts several) taken one meanwhile,
// the removal ran half set up and left an empty document. So these signals
// are for the main thread only: every other thread keeps them blocked.

#include <signal.h>

namespace quorvane::app::qt {

// Holds the signals back in the calling thread while it lives; one that
// comes meanwhile takes effect when it ends. Over QApplication's start,
// every thread that Qt starts inherits the block and keeps it; over a few
// steps that belong together (take a lock, write, remove the lock), none of
// them is left half done.
class CleanupSignalsHeld {
 public:
  CleanupSignalsHeld();
  ~CleanupSignalsHeld();
  CleanupSignalsHeld(const CleanupSignalsHeld&) = delete;
  CleanupSignalsHeld& operator=(const CleanupSignalsHeld&) = delete;

 private:
  sigset_t old_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_CLEANUP_SIGNALS_H_
