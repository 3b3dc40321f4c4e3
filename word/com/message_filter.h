#ifndef QUORVANE_WORD_COM_MESSAGE_FILTER_H_
#define QUORVANE_WORD_COM_MESSAGE_FILTER_H_

// The busy policy as COM's message filter for the calling thread: rejected
// calls retried, a long pending call offered to the user, the window painted
// meanwhile.

#include <windows.h>

#include <ole2.h>

#include <memory>

#include "word/com/busy_policy.h"
#include "word/com/com_ptr.h"

namespace quorvane::word::com {

// Registered with CoRegisterMessageFilter for the holder's lifetime, on a
// thread that is a single-threaded apartment already; the filter it replaced
// comes back afterwards. Register it before Word is created.
class MessageFilterRegistration {
 public:
  // Throws ComError when the thread is no single-threaded apartment.
  explicit MessageFilterRegistration(std::shared_ptr<const BusyPolicy> policy);
  MessageFilterRegistration(const MessageFilterRegistration&) = delete;
  MessageFilterRegistration& operator=(const MessageFilterRegistration&) = delete;
  ~MessageFilterRegistration();

 private:
  ComPtr<IMessageFilter> previous_;
};

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_MESSAGE_FILTER_H_
