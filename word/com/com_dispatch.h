#ifndef QUORVANE_WORD_COM_COM_DISPATCH_H_
#define QUORVANE_WORD_COM_COM_DISPATCH_H_

// The automation interface over a COM server's IDispatch, late-bound as Visual
// Basic calls it.

#include <windows.h>

#include <ole2.h>

#include <memory>
#include <span>
#include <string_view>

#include "word/automation.h"
#include "word/com/busy_policy.h"
#include "word/com/com_ptr.h"

namespace quorvane::word::com {

class ComDispatch final : public Dispatch {
 public:
  // Calls that come back busy are tried again under `policy`.
  ComDispatch(ComPtr<IDispatch> dispatch, std::shared_ptr<const BusyPolicy> policy);

  // A get with arguments that the server refuses for their count is retried
  // as the get without them, followed by the result's default member with
  // them: how Visual Basic reaches `Borders(-1)` when Borders takes none.
  Value Get(std::string_view name, std::span<const Arg> args) override;
  void Put(std::string_view name, const Value& value) override;
  Value Call(std::string_view name, std::span<const Arg> args) override;

  IDispatch* get() const { return dispatch_.get(); }

 private:
  ComPtr<IDispatch> dispatch_;
  std::shared_ptr<const BusyPolicy> policy_;
};

// An object Value for `dispatch` (null stays an empty reference).
Value ObjectValue(IDispatch* dispatch, std::shared_ptr<const BusyPolicy> policy);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_DISPATCH_H_
