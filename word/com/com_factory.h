#ifndef QUORVANE_WORD_COM_COM_FACTORY_H_
#define QUORVANE_WORD_COM_COM_FACTORY_H_

// Creation of COM automation objects, and Word's names mapped to them.

#include <memory>
#include <string_view>
#include <utility>

#include "word/automation.h"
#include "word/com/busy_policy.h"
#include "word/object_factory.h"

namespace quorvane::word::com {

// CoCreateInstance with CLSCTX_SERVER: Word runs as a server process of its
// own. Identifiers are written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". The
// object and those it hands out retry busy calls under `policy`.
DispatchPtr CreateObjectByClass(std::string_view classId, std::string_view interfaceId,
                                std::shared_ptr<const BusyPolicy> policy);
// CLSIDFromProgID, then the class's IDispatch.
DispatchPtr CreateObjectByProgId(std::string_view progId, std::shared_ptr<const BusyPolicy> policy);

// Any registered class, by either way of naming it.
class ComFactory final : public ObjectFactory {
 public:
  explicit ComFactory(std::shared_ptr<const BusyPolicy> policy) : policy_(std::move(policy)) {}
  DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override {
    return CreateObjectByClass(classId, interfaceId, policy_);
  }
  DispatchPtr CreateByProgId(std::string_view progId) override {
    return CreateObjectByProgId(progId, policy_);
  }

 private:
  std::shared_ptr<const BusyPolicy> policy_;
};

// Word's class and "Word.Application" in `registry` reach the Word installed
// here, each the way it was asked for.
void RegisterWord(ClassRegistry& registry, std::shared_ptr<const BusyPolicy> policy);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_FACTORY_H_
