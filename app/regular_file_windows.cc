// Windows: the entry is looked at without following a reparse point, and the
// open file is checked again (a disk file, not a folder, pipe or device).

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "app/regular_file.h"

namespace quorvane::app {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string ErrorText(DWORD error) {
  return std::system_category().message(static_cast<int>(error));
}

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  if (bytes != 0 && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

bool NotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Why the open `file` is no regular file, or nothing.
std::string KindOf(HANDLE file) {
  if (::GetFileType(file) != FILE_TYPE_DISK) return "a device";
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return "something that cannot be examined";
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "a directory";
  return {};
}

}  // namespace

std::string NotARegularFile(const fs::path& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (NotFound(error)) return {};
    return "cannot be examined: " + ErrorText(error);
  }
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  // Opening with no access rights reads nothing and cannot block.
  const Handle target(::CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!target.valid()) {
    const DWORD error = ::GetLastError();
    if (link && NotFound(error)) return "is a symbolic link to nothing";
    return "cannot be examined: " + ErrorText(error);
  }
  const std::string kind = KindOf(target.get());
  if (kind.empty()) return {};
  if (link) return "is a symbolic link to " + kind + ", not to a regular file";
  return "is " + kind + ", not a regular file";
}

std::string ReadRegularFile(const fs::path& path, std::size_t limit) {
  const std::string name = Utf8(path);
  if (const std::string why = NotARegularFile(path); !why.empty()) {
    throw std::runtime_error(name + " " + why);
  }
  const Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw std::runtime_error(name + ": " + ErrorText(::GetLastError()));
  if (const std::string kind = KindOf(file.get()); !kind.empty()) {
    throw std::runtime_error(name + " is " + kind + ", not a regular file");
  }
  const auto tooLarge = [&] {
    return std::runtime_error(name + " is larger than " + SizeText(limit));
  };
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    throw std::runtime_error(name + ": " + ErrorText(::GetLastError()));
  }
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit) throw tooLarge();

  // One byte more than the limit tells a file that grew past it.
  std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) throw tooLarge();
      bytes.resize(std::min(bytes.size() * 2, limit + 1));
    }
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1 << 20));
    if (!::ReadFile(file.get(), bytes.data() + filled, want, &got, nullptr)) {
      throw std::runtime_error(name + ": " + ErrorText(::GetLastError()));
    }
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace quorvane::app
