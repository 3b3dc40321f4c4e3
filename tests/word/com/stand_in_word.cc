#include "tests/word/com/stand_in_word.h"

#include <oleauto.h>
#include <tlhelp32.h>

#include <array>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "word/com/com_ptr.h"

namespace quorvane::test_support {
namespace {

constexpr wchar_t kClassKey[] = L"CLSID\\{000209FF-0000-0000-C000-000000000046}";
constexpr wchar_t kServerKey[] = L"CLSID\\{000209FF-0000-0000-C000-000000000046}\\InprocServer32";
constexpr wchar_t kLocalServerKey[] =
    L"CLSID\\{000209FF-0000-0000-C000-000000000046}\\LocalServer32";
constexpr wchar_t kProgIdKey[] = L"Word.Application";
constexpr wchar_t kInterfaceKey[] = L"Interface\\{00020970-0000-0000-C000-000000000046}";
constexpr wchar_t kDllName[] = L"quorvane_word_stand_in.dll";
constexpr wchar_t kServerName[] = L"quorvane_word_stand_in_server.exe";

constexpr IID kApplicationIid = {
    0x00020970, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// The stand-in's own library, never Word's.
constexpr GUID kTypeLibraryId = {
    0x6d1c5a3e, 0x92b4, 0x4f0e, {0x8a, 0x37, 0x1c, 0x5e, 0x02, 0xd9, 0x4b, 0x71}};

// Beside the test program, where the build puts it.
std::wstring StandInPath(const wchar_t* name = kDllName) {
  std::array<wchar_t, MAX_PATH> buffer{};
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
  std::filesystem::path path(std::wstring(buffer.data(), length));
  return path.replace_filename(name).wstring();
}

void Check(HRESULT hr, const char* step) {
  if (FAILED(hr)) throw std::runtime_error(std::string("stand-in type library: ") + step);
}

// _Application as a dual interface with IDispatch's members only: enough for
// COM's type library marshaler to carry it between processes.
void RegisterTypeLibrary(const std::filesystem::path& file) {
  using word::com::ComPtr;
  ComPtr<ICreateTypeLib2> library;
  Check(CreateTypeLib2(SYS_WIN64, file.c_str(), library.Receive()), "create");
  Check(library->SetGuid(kTypeLibraryId), "library id");
  Check(library->SetVersion(1, 0), "version");
  Check(library->SetLcid(LOCALE_NEUTRAL), "locale");
  std::wstring name = L"QuorvaneStandInWord", interfaceName = L"_Application";
  Check(library->SetName(name.data()), "name");
  ComPtr<ITypeLib> standard;
  Check(LoadTypeLib(L"stdole2.tlb", standard.Receive()), "stdole2.tlb");
  ComPtr<ITypeInfo> dispatch;
  Check(standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch.Receive()), "IDispatch");
  ComPtr<ICreateTypeInfo> application;
  Check(library->CreateTypeInfo(interfaceName.data(), TKIND_INTERFACE, application.Receive()),
        "_Application");
  Check(application->SetGuid(kApplicationIid), "interface id");
  Check(application->SetTypeFlags(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION), "flags");
  HREFTYPE base = 0;
  Check(application->AddRefTypeInfo(dispatch.get(), &base), "base");
  Check(application->AddImplType(0, base), "base");
  Check(application->LayOut(), "layout");
  Check(library->SaveAllChanges(), "save");
  ComPtr<ITypeLib> saved;
  Check(LoadTypeLibEx(file.c_str(), REGKIND_NONE, saved.Receive()), "load");
  std::wstring path = file.wstring();
  Check(RegisterTypeLib(saved.get(), path.data(), nullptr), "register");
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
  UnRegisterTypeLib(kTypeLibraryId, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kInterfaceKey);
}

// The local servers of this test that still run: each ends by itself once
// its last object is gone; one that has not within ten seconds is ended, so
// that no test leaves it behind.
void EndLocalServers() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, kServerName) != 0) continue;
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (process == nullptr) continue;
    if (WaitForSingleObject(process, 10'000) == WAIT_TIMEOUT) TerminateProcess(process, 99);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

std::wstring Quoted(const std::wstring& path) {
  return L"\"" + path + L"\"";
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

StandInWord::StandInWord(StandInHost host) {
  const std::wstring path = StandInPath();
  const std::wstring server = Quoted(StandInPath(kServerName));
  if (WordRegistered() && DefaultValue(kServerKey) != path &&
      DefaultValue(kLocalServerKey) != server) {
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
  Unregister();  // what an ended test process may have left
  try {
    SetValue(kClassKey, nullptr, L"Word stand-in for tests");
    if (host == StandInHost::kInProcess) {
      SetValue(kServerKey, nullptr, path);
      SetValue(kServerKey, L"ThreadingModel", L"Apartment");
    } else {
      SetValue(kLocalServerKey, nullptr, server);
      RegisterTypeLibrary(typeLibrary_.path() / L"stand_in_word.tlb");
    }
    SetValue((std::wstring(kClassKey) + L"\\ProgID").c_str(), nullptr, kProgIdKey);
    SetValue((std::wstring(kProgIdKey) + L"\\CLSID").c_str(), nullptr,
             L"{000209FF-0000-0000-C000-000000000046}");
  } catch (...) {
    Unregister();
    FreeLibrary(module_);
    throw;
  }
}

StandInWord::~StandInWord() {
  EndLocalServers();
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
