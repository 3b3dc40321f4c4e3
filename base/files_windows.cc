// files.h with Windows' own calls. The entry is looked at without following
// a reparse point; the open file is checked again (a disk file, not a
// folder, pipe or device).

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <utility>

#include "base/files.h"
#include "base/files_common.h"

namespace quorvane::base {
namespace {

namespace fs = std::filesystem;

// The common errors in the words of the POSIX side, so that both report the
// same failure alike; the system's text for the rest.
std::string ReasonOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return ErrnoText(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return ErrnoText(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrnoText(ENOSPC);
    default:
      return std::system_category().message(static_cast<int>(error));
  }
}

bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

[[noreturn]] void Fail(const fs::path& path, DWORD error) {
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) throw AlreadyExists(path);
  throw CannotWrite(path, ReasonOf(error));
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

// Opening with no access rights reads nothing and cannot block.
HANDLE OpenToLook(const fs::path& path, DWORD flags) {
  return ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// What the open `file` is, or kRegularFile.
PathKind KindOf(HANDLE file, bool link) {
  const auto other = [link](Entry entry) { return link ? LinkTo(entry) : NotRegular(entry); };
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info)) {
    return other(Entry::kDevice);
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return NotRegular(Entry::kLink);
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return other(Entry::kFolder);
  return {PathKind::Is::kRegularFile, {}};
}

// What stands at `path`, following a symbolic link to what it names.
PathKind KindFollowing(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (NotFound(error)) return {PathKind::Is::kNothing, {}};
    return {PathKind::Is::kUnknown, ReasonOf(error)};
  }
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const FileHandle target(OpenToLook(path, 0));
  if (!target.valid()) {
    const DWORD error = ::GetLastError();
    if (link && NotFound(error)) return DanglingLink();
    return {PathKind::Is::kUnknown, ReasonOf(error)};
  }
  return KindOf(target.get(), link);
}

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
  // The name of the POSIX side's temporary file; plain attributes, since the
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
    if (error == ERROR_FILE_EXISTS) throw CannotWrite(target, "no free temporary name");
    Fail(target, error);
  }

  fs::path path_;  // declared before file_: Create fills it in
  FileHandle file_;
};

}  // namespace

// Only a plain file on a disk is ever replaced: never a folder, a device or a
// reparse point (a symbolic link or junction, which is not followed here).
PathKind KindAt(const fs::path& path) {
  const FileHandle target(OpenToLook(path, FILE_FLAG_OPEN_REPARSE_POINT));
  if (!target.valid()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {PathKind::Is::kNothing, {}};
    return {PathKind::Is::kUnknown, ReasonOf(error)};
  }
  return KindOf(target.get(), false);
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, bool replace) {
  if (path.filename().empty()) throw CannotWrite(path, ErrnoText(EISDIR));
  const PathKind kind = KindAt(path);
  if (kind.is == PathKind::Is::kOther) throw std::runtime_error(WriteRefusal(path, kind));
  if (kind.is == PathKind::Is::kRegularFile && !replace) throw AlreadyExists(path);
  TemporaryFile temporary(path);
  if (const DWORD error = temporary.WriteAndFlush(bytes)) Fail(path, error);
  // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing name, in
  // one step, so a file that appears meanwhile is not replaced.
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!::MoveFileExW(temporary.path().c_str(), path.c_str(), flags)) Fail(path, ::GetLastError());
  temporary.Keep();
}

std::string ReadRegularFile(const fs::path& path, std::size_t limit) {
  const PathKind kind = KindFollowing(path);
  if (kind.is == PathKind::Is::kOther) throw std::runtime_error(Utf8(path) + " is " + kind.what);
  if (kind.is == PathKind::Is::kUnknown) {
    throw std::runtime_error(Utf8(path) + " cannot be examined: " + kind.what);
  }
  const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw CannotRead(path, ReasonOf(::GetLastError()));
  if (const PathKind opened = KindOf(file.get(), false); opened.is != PathKind::Is::kRegularFile) {
    throw std::runtime_error(Utf8(path) + " is " + opened.what);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) throw CannotRead(path, ReasonOf(::GetLastError()));
  return ReadBounded(path, size.QuadPart, limit, [&](std::span<char> into) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1 << 20));
    if (!::ReadFile(file.get(), into.data(), want, &got, nullptr)) {
      throw CannotRead(path, ReasonOf(::GetLastError()));
    }
    return static_cast<std::size_t>(got);
  });
}

// MoveFileExW without MOVEFILE_REPLACE_EXISTING fails on any name that is
// taken, in one step.
std::error_code MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return {};
  const DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    return std::make_error_code(std::errc::file_exists);
  }
  return {static_cast<int>(error), std::system_category()};
}

}  // namespace quorvane::base
