#include "word/com/com_error.h"

#include <array>
#include <cstdio>
#include <utility>

#include "base/utf.h"
#include "word/com/com_values.h"
#include "word/failure_texts.h"

namespace quorvane::word::com {
namespace {

// Visual Basic's run-time error texts for the codes a late-bound call meets.
constexpr std::pair<HRESULT, std::string_view> kVisualBasicTexts[] = {
    {REGDB_E_CLASSNOTREG, failure_text::kCannotCreateObject},
    {CO_E_CLASSSTRING, failure_text::kCannotCreateObject},
    {CO_E_SERVER_EXEC_FAILURE, failure_text::kCannotCreateObject},
    {CO_E_APPNOTFOUND, failure_text::kCannotCreateObject},
    {CO_E_DLLNOTFOUND, failure_text::kCannotCreateObject},
    {E_NOINTERFACE, "Class does not support Automation or does not support expected interface"},
    {DISP_E_MEMBERNOTFOUND, "Object doesn't support this property or method"},
    {DISP_E_UNKNOWNNAME, "Object doesn't support this property or method"},
    {E_INVALIDARG, failure_text::kInvalidProcedureCall},
    {DISP_E_TYPEMISMATCH, failure_text::kTypeMismatch},
    {DISP_E_PARAMNOTOPTIONAL, "Argument not optional"},
    {DISP_E_BADPARAMCOUNT, "Wrong number of arguments or invalid property assignment"},
    {DISP_E_OVERFLOW, failure_text::kOverflow},
    {DISP_E_PARAMNOTFOUND, "Named argument not found"},
    {DISP_E_NONAMEDARGS, "Object doesn't support named arguments"},
    {DISP_E_BADVARTYPE, "Variable uses an Automation type not supported in Visual Basic"},
    {DISP_E_BADINDEX, failure_text::kSubscriptOutOfRange},
    {DISP_E_DIVBYZERO, "Division by zero"},
    {E_NOTIMPL, "Object doesn't support this action"},
    {E_OUTOFMEMORY, "Out of memory"},
    {E_ACCESSDENIED, "Permission denied"},
    {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients"},
    {RPC_E_SERVER_DIED, "The remote server machine does not exist or is unavailable"},
    {HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE),
     "The remote server machine does not exist or is unavailable"},
    {HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), "The remote procedure call failed"},
    {RPC_E_CALL_REJECTED, "Call was rejected by callee"},
    {RPC_E_SERVERCALL_RETRYLATER, "Call was rejected by callee"},
    {RPC_E_CALL_CANCELED, "Call was canceled by the message filter"},
};

std::string SystemText(HRESULT code) {
  std::array<wchar_t, 512> buffer{};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(code), 0, buffer.data(), buffer.size(), nullptr);
  std::u16string text(buffer.begin(), buffer.begin() + length);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
    text.pop_back();
  }
  return base::ToUtf8(text);
}

}  // namespace

ComError::ComError(HRESULT code) : ComError(code, DescribeHResult(code)) {}

std::string DescribeHResult(HRESULT code) {
  for (const auto& [known, text] : kVisualBasicTexts) {
    if (known == code) return std::string(text);
  }
  std::array<char, 40> hex{};
  std::snprintf(hex.data(), hex.size(), "Automation error 0x%08lX",
                static_cast<unsigned long>(code));
  const std::string system = SystemText(code);
  return system.empty() ? std::string(hex.data()) : std::string(hex.data()) + ": " + system;
}

std::string DescribeInvokeFailure(HRESULT code, EXCEPINFO& info, bool inProcess) {
  if (code != DISP_E_EXCEPTION) return DescribeHResult(code);
  if (info.pfnDeferredFillIn != nullptr && inProcess) info.pfnDeferredFillIn(&info);
  info.pfnDeferredFillIn = nullptr;
  const std::u16string description = TextOf(info.bstrDescription);
  if (!description.empty()) return base::ToUtf8(description);
  if (FAILED(info.scode)) return DescribeHResult(info.scode);
  return "Automation error: the server raised an exception without a description";
}

}  // namespace quorvane::word::com
