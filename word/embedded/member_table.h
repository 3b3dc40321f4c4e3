#ifndef QUORVANE_WORD_EMBEDDED_MEMBER_TABLE_H_
#define QUORVANE_WORD_EMBEDDED_MEMBER_TABLE_H_

// Late binding for the engine's objects: each object lists its members once,
// and name lookup (without regard to case), the access checks and their
// refusals live here rather than in every object.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "word/automation.h"

namespace quorvane::word::embedded {

template <typename Self>
struct Member {
  std::string_view name;
  Value (*get)(Self&) = nullptr;                            // a property read without arguments
  Value (*getWith)(Self&, std::span<const Arg>) = nullptr;  // a property read with arguments
  void (*put)(Self&, const Value&) = nullptr;
  Value (*call)(Self&, std::span<const Arg>) = nullptr;
};

[[noreturn]] void RefuseUnknownMember(std::string_view object, std::string_view member);
// `why` completes "<object>.<member> ...", e.g. "is read-only".
[[noreturn]] void RefuseAccess(std::string_view object, std::string_view member,
                               std::string_view why);

// Binds call arguments to parameter names: positional ones in order, named
// ones by name (without regard to case). An absent or empty argument gives
// null. Refuses too many, unknown or doubled arguments; `where` names the
// method in the description.
void BindArgs(std::span<const Arg> args, std::span<const std::string_view> params,
              std::span<const Value*> out, std::string_view where);

template <std::size_t N>
std::array<const Value*, N> BindArgs(std::span<const Arg> args,
                                     const std::array<std::string_view, N>& params,
                                     std::string_view where) {
  std::array<const Value*, N> out{};
  BindArgs(args, params, out, where);
  return out;
}

// The Dispatch of an object whose class provides
//   static constexpr std::string_view kName;          // "Selection", ...
//   static std::span<const Member<Self>> Members();
//   void CheckAvailable() const;                      // throws once the object is gone
template <typename Self>
class MemberDispatch : public Dispatch {
 public:
  Value Get(std::string_view name, std::span<const Arg> args) final {
    const Member<Self>& member = Find(name);
    if (member.getWith != nullptr) return member.getWith(self(), args);
    if (member.get == nullptr) {
      RefuseAccess(Self::kName, member.name,
                   member.call != nullptr ? "is a method, not a property" : "cannot be read");
    }
    if (!args.empty()) RefuseAccess(Self::kName, member.name, "takes no arguments");
    return member.get(self());
  }

  void Put(std::string_view name, const Value& value) final {
    const Member<Self>& member = Find(name);
    if (member.put == nullptr) {
      RefuseAccess(Self::kName, member.name,
                   member.call != nullptr ? "is a method, not a property" : "is read-only");
    }
    member.put(self(), value);
  }

  Value Call(std::string_view name, std::span<const Arg> args) final {
    const Member<Self>& member = Find(name);
    if (member.call == nullptr)
      RefuseAccess(Self::kName, member.name, "is a property, not a method");
    return member.call(self(), args);
  }

 private:
  Self& self() { return static_cast<Self&>(*this); }

  const Member<Self>& Find(std::string_view name) {
    self().CheckAvailable();
    for (const Member<Self>& member : Self::Members()) {
      if (SameName(member.name, name)) return member;
    }
    RefuseUnknownMember(Self::kName, name);
  }
};

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_MEMBER_TABLE_H_
