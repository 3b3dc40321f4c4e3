#ifndef QUORVANE_WORD_OBJECT_FACTORY_H_
#define QUORVANE_WORD_OBJECT_FACTORY_H_

// Creation of application objects, by class and interface identifier or by
// ProgID, through a registry that programs and tests fill.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "word/automation.h"

namespace quorvane::word {

inline constexpr std::string_view kWordProgId = "Word.Application";
inline constexpr std::string_view kWordClassId = "{000209FF-0000-0000-C000-000000000046}";
inline constexpr std::string_view kWordInterfaceId = "{00020970-0000-0000-C000-000000000046}";

class ObjectFactory {
 public:
  virtual ~ObjectFactory() = default;
  // Each throws AutomationError with a description when nothing can be created.
  virtual DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) = 0;
  virtual DispatchPtr CreateByProgId(std::string_view progId) = 0;
};

class ClassRegistry final : public ObjectFactory {
 public:
  using Maker = std::function<DispatchPtr()>;

  // Identifiers are matched without regard to case; a later registration of
  // the same class or ProgID replaces the earlier one.
  void Register(std::string progId, std::string classId, std::vector<std::string> interfaceIds,
                Maker maker);

  DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override;
  DispatchPtr CreateByProgId(std::string_view progId) override;

 private:
  struct Entry {
    std::string progId;
    std::string classId;
    std::vector<std::string> interfaceIds;
    Maker maker;
  };
  std::vector<Entry> entries_;
};

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_OBJECT_FACTORY_H_
