// WriteFileAtomically with Windows' own calls; the promises of the header.

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "word/docx/atomic_file.h"

namespace quorvane::word::docx {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return "\"" + std::string(utf8.begin(), utf8.end()) + "\"";
}

[[noreturn]] void Fail(const fs::path& path, const std::string& reason) {
  throw std::runtime_error("Cannot write " + Quoted(path) + ": " + reason);
}

// The common errors in the words of the Linux tool, so that both report the
// same failure alike; the system's text for the rest.
[[noreturn]] void FailWith(const fs::path& path, DWORD error) {
  switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      throw std::runtime_error(Quoted(path) + " already exists");
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      Fail(path, std::generic_category().message(ENOENT));
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      Fail(path, std::generic_category().message(EACCES));
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      Fail(path, std::generic_category().message(ENOSPC));
    default:
      Fail(path, std::system_category().message(static_cast<int>(error)));
  }
}

// A file handle that is closed when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

// A fresh file beside the target, removed when it goes out of scope unless
// it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) : file_(Create(target, path_)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    // An open file cannot be deleted.
    file_.Close();
    if (!path_.empty()) ::DeleteFileW(path_.c_str());
  }

  const fs::path& path() const { return path_; }

  // Returns 0 or the error of the first failure.
  DWORD WriteAndFlush(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) {
        return ::GetLastError();
      }
      bytes.remove_prefix(written);
    }
    if (!::FlushFileBuffers(file_.get()) || !file_.Close()) return ::GetLastError();
    return 0;
  }

  void Keep() { path_.clear(); }

 private:
  // The name of the Linux tool's temporary file; plain attributes, since the
  // file keeps them under its final name.
  static HANDLE Create(const fs::path& target, fs::path& path) {
    const std::wstring stem = L"." + target.filename().wstring().substr(0, 64);
    std::random_device random;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
      wchar_t suffix[32];
      std::swprintf(suffix, std::size(suffix), L".%08x.tmp", random());
      path = target;
      path.replace_filename(stem + suffix);
      const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) return handle;
      error = ::GetLastError();
    }
    path.clear();
    if (error == ERROR_FILE_EXISTS) Fail(target, "no free temporary name");
    FailWith(target, error);
  }

  fs::path path_;  // declared before file_: Create fills it in
  FileHandle file_;
};

std::string Refusal(const fs::path& path, const char* what) {
  return "Cannot write " + Quoted(path) + ": it is " + what;
}

}  // namespace

namespace fs = std::filesystem;

// Only a plain file on a disk is ever replaced: never a folder, a device or a
// reparse point (a symbolic link or junction, which is not followed here).
WriteTarget InspectWriteTarget(const fs::path& path) {
  const FileHandle target(::CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!target.valid()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {WriteTarget::Kind::kNothing, {}};
    return {WriteTarget::Kind::kUnknown, {}};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(target.get()) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(target.get(), &info)) {
    return {WriteTarget::Kind::kRefused, Refusal(path, "a device, not a regular file")};
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return {WriteTarget::Kind::kRefused,
            Refusal(path, "a symbolic link or junction, not a regular file")};
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {WriteTarget::Kind::kRefused, Refusal(path, "a folder, not a regular file")};
  }
  return {WriteTarget::Kind::kRegularFile, {}};
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace) {
  if (path.filename().empty()) Fail(path, std::generic_category().message(EISDIR));
  const WriteTarget target = InspectWriteTarget(path);
  if (target.kind == WriteTarget::Kind::kRefused) throw std::runtime_error(target.refusal);
  if (target.kind == WriteTarget::Kind::kRegularFile && !replace) FailWith(path, ERROR_FILE_EXISTS);
  TemporaryFile temporary(path);
  if (const DWORD error = temporary.WriteAndFlush(bytes)) FailWith(path, error);
  // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing name, in
  // one step, so a file that appears meanwhile is not replaced.
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!::MoveFileExW(temporary.path().c_str(), path.c_str(), flags)) {
    FailWith(path, ::GetLastError());
  }
  temporary.Keep();
}

}  // namespace quorvane::word::docx
