// A kill while the atomic writer claims a document's name, in a process with
// one more thread, idle, as Qt's are: the removal must not run half set up.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "app/qt/cleanup_signals.h"
#include "base/files_posix.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

namespace fs = std::filesystem;

// In a child: a write where the name must be claimed (vfat: no O_TMPFILE,
// no RENAME_NOREPLACE, no hard links), and SIGTERM to the process right
// after the claim, before it is set up for removal.
[[noreturn]] void WriteBesideAnIdleThread(const fs::path& target) {
  std::optional<CleanupSignalsHeld> held(std::in_place);
  std::thread([] { ::pause(); }).detach();
  held.reset();
  // vfat: no O_TMPFILE, no renameat2 flags, no hard links; the kill comes at
  // the first call after the name is claimed.
  struct Vfat final : base::PosixCalls {
    explicit Vfat(fs::path name) : claimed(std::move(name)) {}
    int Before(Call call) const override {
      if (fs::exists(claimed)) {
        ::kill(::getpid(), SIGTERM);
        ::usleep(300'000);  // time enough for another thread to act on it
      }
      switch (call) {
        case Call::kOpenUnnamed:
          return EOPNOTSUPP;
        case Call::kRenameNoReplace:
        case Call::kRenameExchange:
          return EINVAL;
        case Call::kLink:
          return EPERM;
        default:
          return 0;
      }
    }
    fs::path claimed;
  };
  base::WriteFileAtomically(target, "document", /*replace=*/false, Vfat(target));
  ::_exit(0);
}

TEST(CleanupSignalsTest, AKillAtTheClaimLeavesNothingBesideAnIdleThread) {
  const QTemporaryDir dir;
  const fs::path folder = test_support::ToPath(dir.path());
  const test_support::HangGuard guard(20);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) WriteBesideAnIdleThread(folder / "chart.docx");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  // The complete document or nothing: never the empty claim.
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename(), "chart.docx");
    EXPECT_EQ(fs::file_size(entry.path()), 8u) << entry.path();
  }
}

}  // namespace
}  // namespace quorvane::app::qt
