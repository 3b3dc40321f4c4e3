#ifndef QUORVANE_APP_FORM1_SERVICES_H_
#define QUORVANE_APP_FORM1_SERVICES_H_

// Everything Form1's procedures reach outside the process, each behind a small
// interface so that tests show no dialog, never leave the test process and open
// no program.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/numbered_steps.h"
#include "word/object_factory.h"

namespace quorvane::app {

class SkinControl;

// Message-box styles as Windows numbers them.
inline constexpr int kStyleOkOnly = 0;
inline constexpr int kStyleWarning = 48;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal: returns when the user has closed the box.
  virtual void Show(std::u16string_view text, std::u16string_view title, int style) = 0;
};

class ProgramExit {
 public:
  virtual ~ProgramExit() = default;
  // Leaves the process without running any window handler. Only test
  // stand-ins return.
  virtual void EndNow() = 0;
};

class Opener {
 public:
  virtual ~Opener() = default;
  // Hands a URL, a web address or a local file's, to the desktop's default
  // program and does not wait for it.
  virtual void Open(std::u16string_view url) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint32_t SecondsSinceMidnight() = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(std::uint32_t seed) = 0;
  // A fraction at least 0 and below 1.
  virtual double NextFraction() = 0;
};

// The per-user settings store: text values under one application name and
// section, addressed by key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or `defaultValue` as decimal text when the key is absent.
  virtual std::u16string Read(std::u16string_view key, int defaultValue) = 0;
  // Takes effect at once.
  virtual void Write(std::u16string_view key, std::u16string_view text) = 0;
};

struct Form1Services {
  MessageBoxes& boxes;
  ProgramExit& exit;
  Opener& opener;
  Clock& clock;
  RandomSource& random;
  word::ObjectFactory& word;
  SettingsStore& settings;
  SkinControl& skin;
  // Lets tests fail a numbered statement on cue.
  base::NumberedSteps::FaultHook faultHook = {};
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_FORM1_SERVICES_H_
