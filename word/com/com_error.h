#ifndef QUORVANE_WORD_COM_COM_ERROR_H_
#define QUORVANE_WORD_COM_COM_ERROR_H_

// COM failures as automation errors, described the way Visual Basic words
// them: the system's message table has no text for most OLE and DISP codes.

#include <windows.h>

#include <ole2.h>

#include <string>

#include "word/automation.h"

namespace quorvane::word::com {

// An AutomationError that keeps the HRESULT behind it, so that a server can
// hand the code back to its own caller.
class ComError : public AutomationError {
 public:
  ComError(HRESULT code, const std::string& description)
      : AutomationError(description), code_(code) {}
  explicit ComError(HRESULT code);
  HRESULT code() const { return code_; }

 private:
  HRESULT code_;
};

// "Type mismatch", "Object doesn't support this property or method", ...; codes
// without a Visual Basic text read "Automation error 0x80004005" plus the
// system's text when it has one.
std::string DescribeHResult(HRESULT code);

// The description of a failed Invoke: the server's EXCEPINFO text when it
// gives one, else its code. An object in this process may defer the text to
// a fill-in function; one in another process has its stub fill it in before
// the answer leaves, so a fill-in pointer that came across (as Wine passes
// it) points into that process and is never called.
std::string DescribeInvokeFailure(HRESULT code, EXCEPINFO& info, bool inProcess);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_ERROR_H_
