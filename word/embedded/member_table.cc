#include "word/embedded/member_table.h"

#include <cstdint>
#include <string>

namespace quorvane::word::embedded {

void RefuseUnknownMember(std::string_view object, std::string_view member) {
  throw AutomationError("Unknown member '" + std::string(member) + "' of " + std::string(object));
}

void RefuseAccess(std::string_view object, std::string_view member, std::string_view why) {
  throw AutomationError(std::string(object) + "." + std::string(member) + " " + std::string(why));
}

void BindArgs(std::span<const Arg> args, std::span<const std::string_view> params,
              std::span<const Value*> out, std::string_view where) {
  std::size_t positional = 0;
  std::uint64_t seen = 0;  // methods have far fewer than 64 parameters
  for (const Arg& arg : args) {
    std::size_t index = 0;
    if (arg.name.empty()) {
      index = positional++;
      if (index >= params.size()) {
        throw AutomationError("Wrong number of arguments: " + std::string(where) +
                              " takes at most " + std::to_string(params.size()));
      }
    } else {
      while (index < params.size() && !SameName(params[index], arg.name)) ++index;
      if (index == params.size()) {
        throw AutomationError(std::string(where) + " has no argument named '" + arg.name + "'");
      }
    }
    if ((seen >> index & 1U) != 0) {
      throw AutomationError(std::string(where) + ": argument '" + std::string(params[index]) +
                            "' is given twice");
    }
    seen |= std::uint64_t{1} << index;
    if (!arg.value.empty()) out[index] = &arg.value;
  }
}

}  // namespace quorvane::word::embedded
