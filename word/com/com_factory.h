#ifndef QUORVANE_WORD_COM_COM_FACTORY_H_
#define QUORVANE_WORD_COM_COM_FACTORY_H_

// Creation of COM automation objects, and Word's names mapped to them.

#include <string_view>

#include "word/automation.h"
#include "word/object_factory.h"

namespace quorvane::word::com {

// CoCreateInstance with CLSCTX_SERVER: Word runs as a server process of its
// own. Identifiers are written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
DispatchPtr CreateObjectByClass(std::string_view classId, std::string_view interfaceId);
// CLSIDFromProgID, then the class's IDispatch.
DispatchPtr CreateObjectByProgId(std::string_view progId);

// Any registered class, by either way of naming it.
class ComFactory final : public ObjectFactory {
 public:
  DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override {
    return CreateObjectByClass(classId, interfaceId);
  }
  DispatchPtr CreateByProgId(std::string_view progId) override {
    return CreateObjectByProgId(progId);
  }
};

// Word's class and "Word.Application" in `registry` reach the Word installed
// here, each the way it was asked for.
void RegisterWord(ClassRegistry& registry);

}  // namespace quorvane::word::com

#endif  // QUORVANE_WORD_COM_COM_FACTORY_H_
