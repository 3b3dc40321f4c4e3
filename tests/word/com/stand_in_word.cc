#include "tests/word/com/stand_in_word.h"

#include <array>
#include <random>
#include <stdexcept>
#include <system_error>

namespace quorvane::test_support {
namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{000209FF-0000-0000-C000-000000000046}";
constexpr wchar_t kServerKey[] = L"CLSID\\{000209FF-0000-0000-C000-000000000046}\\InprocServer32";
constexpr wchar_t kProgIdKey[] = L"Word.Application";
constexpr wchar_t kDllName[] = L"quorvane_word_stand_in.dll";

// Beside the test program, where the build puts it.
std::wstring StandInPath() {
  std::array<wchar_t, MAX_PATH> buffer{};
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
  std::filesystem::path path(std::wstring(buffer.data(), length));
  return path.replace_filename(kDllName).wstring();
}

bool KeyExists(const wchar_t* key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::wstring DefaultValue(const wchar_t* key) {
  std::array<wchar_t, MAX_PATH> buffer{};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return buffer.data();
}

void SetValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  if (status != ERROR_SUCCESS) {
    throw std::system_error(status, std::system_category(), "registering the stand-in Word");
  }
}

void Unregister() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgIdKey);
}

}  // namespace

RegistryLock::RegistryLock()
    : mutex_(CreateMutexW(nullptr, FALSE, L"QuorvaneStandInWordRegistry")) {
  if (mutex_ == nullptr) throw std::runtime_error("cannot create the registry lock");
  // WAIT_ABANDONED: a test process died holding it; the lock is ours all the same.
  WaitForSingleObject(mutex_, INFINITE);
}

RegistryLock::~RegistryLock() {
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

bool WordRegistered() {
  return KeyExists(kClassKey) || KeyExists(kProgIdKey);
}

StandInWord::StandInWord() {
  const std::wstring path = StandInPath();
  if (WordRegistered() && DefaultValue(kServerKey) != path) {
    throw std::runtime_error(
        "A Word is registered here already: run these tests in a throwaway "
        "Wine prefix");
  }
  module_ = LoadLibraryW(path.c_str());
  if (module_ == nullptr) throw std::runtime_error("cannot load the stand-in Word");
  // Through void (*)(), the cast GCC accepts between function pointer types.
  liveObjects_ = reinterpret_cast<long (*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(module_, "QuorvaneStandInLiveObjects")));
  if (liveObjects_ == nullptr) {
    FreeLibrary(module_);
    throw std::runtime_error("the stand-in Word exports no object count");
  }
  SetValue(kClassKey, nullptr, L"Word stand-in for tests");
  SetValue(kServerKey, nullptr, path);
  SetValue(kServerKey, L"ThreadingModel", L"Apartment");
  SetValue((std::wstring(kClassKey) + L"\\ProgID").c_str(), nullptr, kProgIdKey);
  SetValue((std::wstring(kProgIdKey) + L"\\CLSID").c_str(), nullptr,
           L"{000209FF-0000-0000-C000-000000000046}");
}

StandInWord::~StandInWord() {
  Unregister();
  FreeLibrary(module_);
}

long StandInWord::LiveObjects() const {
  return liveObjects_();
}

ScopedVariable::ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
  SetEnvironmentVariableW(name, value.c_str());
}

ScopedVariable::~ScopedVariable() {
  SetEnvironmentVariableW(name_.c_str(), nullptr);
}

// A fresh folder each time: a Wine service started through COM may still hold
// a file of an earlier one open, so that it cannot be removed yet.
ScratchFolder::ScratchFolder(const std::wstring& name) {
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const auto candidate =
        std::filesystem::temp_directory_path() /
        (name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(random()));
    if (std::filesystem::create_directories(candidate)) path_ = candidate;
  }
  if (path_.empty()) throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quorvane::test_support
