#ifndef QUORVANE_TESTS_WORD_COM_STAND_IN_SERVER_OBJECT_H_
#define QUORVANE_TESTS_WORD_COM_STAND_IN_SERVER_OBJECT_H_

// An automation object of the embedded word processor exposed through
// IDispatch: the client backend's conversions run in reverse, strict where
// Word is strict.

#include <windows.h>

#include <ole2.h>

#include <memory>

#include "tests/word/com/stand_in/session.h"
#include "word/automation.h"
#include "word/com/com_ptr.h"

namespace quorvane::test_support::stand_in {

// `application` answers for Word's application interface as well.
word::com::ComPtr<IDispatch> MakeServerObject(std::shared_ptr<Session> session,
                                              word::DispatchPtr target, bool application = false);

}  // namespace quorvane::test_support::stand_in

#endif  // QUORVANE_TESTS_WORD_COM_STAND_IN_SERVER_OBJECT_H_
