#include "word/object_factory.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace quorvane::word {
namespace {

// An empty identifier stands for "none" and never matches.
bool SameId(std::string_view registered, std::string_view wanted) {
  return !registered.empty() && SameName(registered, wanted);
}

// The maker is copied first: it may register classes itself, which would
// invalidate a reference into the registry.
DispatchPtr Make(ClassRegistry::Maker maker, const std::string& what) {
  DispatchPtr object = maker();
  if (!object) throw AutomationError("Cannot create object: " + what + " created no object");
  return object;
}

}  // namespace

void ClassRegistry::Register(std::string progId, std::string classId,
                             std::vector<std::string> interfaceIds, Maker maker) {
  if (!maker) throw std::invalid_argument("ClassRegistry::Register needs a maker");
  std::erase_if(entries_, [&](const Entry& e) {
    return SameId(e.progId, progId) || SameId(e.classId, classId);
  });
  entries_.push_back(
      Entry{std::move(progId), std::move(classId), std::move(interfaceIds), std::move(maker)});
}

DispatchPtr ClassRegistry::CreateByClass(std::string_view classId, std::string_view interfaceId) {
  const std::string what = "class " + std::string(classId);
  const auto entry =
      std::ranges::find_if(entries_, [&](const Entry& e) { return SameId(e.classId, classId); });
  if (entry == entries_.end()) {
    throw AutomationError("Cannot create object: " + what + " is not registered");
  }
  const bool supported = std::ranges::any_of(
      entry->interfaceIds, [&](const std::string& id) { return SameId(id, interfaceId); });
  if (!supported) {
    throw AutomationError("Cannot create object: " + what + " does not support interface " +
                          std::string(interfaceId));
  }
  return Make(entry->maker, what);
}

DispatchPtr ClassRegistry::CreateByProgId(std::string_view progId) {
  const std::string what = "ProgID \"" + std::string(progId) + "\"";
  const auto entry =
      std::ranges::find_if(entries_, [&](const Entry& e) { return SameId(e.progId, progId); });
  if (entry == entries_.end()) {
    throw AutomationError("Cannot create object: " + what + " is not registered");
  }
  return Make(entry->maker, what);
}

}  // namespace quorvane::word
