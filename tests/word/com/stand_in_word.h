#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_WORD_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_WORD_H_

// The stand-in Word as the tests see it: registered under Word's class and
// ProgID in this prefix's HKEY_CLASSES_ROOT while a holder lives, and never
// over a Word that is registered already.

#include <windows.h>

#include <filesystem>
#include <string>

namespace quorvane::test_support {

// Serialises the tests that register or expect no Word: several test
// processes share one prefix's registry.
class RegistryLock {
 public:
  RegistryLock();
  RegistryLock(const RegistryLock&) = delete;
  RegistryLock& operator=(const RegistryLock&) = delete;
  ~RegistryLock();

 private:
  HANDLE mutex_;
};

// Whether any Word (ours or another) is registered by class or ProgID.
bool WordRegistered();

// A fresh empty folder under the temporary folder, removed with the holder.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

enum class StandInHost {
  kInProcess,    // InprocServer32: the DLL in the caller's process
  kLocalServer,  // LocalServer32: a process of its own, as Word is
};

class StandInWord {
 public:
  // Throws std::runtime_error when another Word is registered here: these
  // tests belong in a throwaway prefix. A local server comes with a type
  // library for Word's _Application, which COM needs to marshal it.
  explicit StandInWord(StandInHost host = StandInHost::kInProcess);
  StandInWord(const StandInWord&) = delete;
  StandInWord& operator=(const StandInWord&) = delete;
  ~StandInWord();  // unregisters

  // The stand-in's COM objects alive in this process now.
  long LiveObjects() const;

 private:
  RegistryLock lock_;
  ScratchFolder typeLibrary_{L"quorvane-stand-in-tlb"};
  HMODULE module_ = nullptr;
  long (*liveObjects_)() = nullptr;
};

// An environment variable set for the holder's lifetime (for the stand-in,
// which reads it when an instance is created).
class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value);
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable();

 private:
  std::wstring name_;
};

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_WORD_H_
