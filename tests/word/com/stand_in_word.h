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

class StandInWord {
 public:
  // Throws std::runtime_error when another Word is registered here: these
  // tests belong in a throwaway prefix.
  StandInWord();
  StandInWord(const StandInWord&) = delete;
  StandInWord& operator=(const StandInWord&) = delete;
  ~StandInWord();  // unregisters

  // The stand-in's COM objects alive now.
  long LiveObjects() const;

 private:
  RegistryLock lock_;
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

}  // namespace quorvane::test_support

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_WORD_H_
