#ifndef QUORVANE_APP_SKIN_CONTROL_H_
#define QUORVANE_APP_SKIN_CONTROL_H_

// The skin control of the main window, reached late-bound by dispatch
// identifier as an automation control is.

#include <cstdint>
#include <span>

#include "word/automation.h"

namespace quorvane::app {

enum class InvokeKind : std::uint8_t { Method, Get, Put };

class SkinControl {
 public:
  virtual ~SkinControl() = default;
  // A put takes its value as the single argument. Failures throw
  // word::AutomationError with a description.
  virtual word::Value Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) = 0;
};

// The members the window uses.
namespace skin_member {
inline constexpr int kOptions = 1;      // 32-bit option bits
inline constexpr int kLoadSkin = 2;     // (path, section)
inline constexpr int kApplyWindow = 3;  // (window handle)
inline constexpr int kSwitchFive = 5;   // Boolean switch
inline constexpr int kSwitchTen = 10;   // Boolean switch
}  // namespace skin_member

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SKIN_CONTROL_H_
