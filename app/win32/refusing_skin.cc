#include "app/win32/refusing_skin.h"

#include <string>

#include "word/utf.h"

namespace quorvane::app::win32 {

word::Value RefusingSkin::Invoke(int dispId, InvokeKind kind, std::span<const word::Value> args) {
  if (dispId == skin_member::kLoadSkin && kind == InvokeKind::Method && !args.empty() &&
      args[0].kind() == word::VarKind::Bstr) {
    throw word::AutomationError("Cannot load the skin " + word::ToUtf8(args[0].bstr()) +
                                ": this build of the program draws no skins on Windows");
  }
  throw word::AutomationError("Object doesn't support this property or method");
}

}  // namespace quorvane::app::win32
