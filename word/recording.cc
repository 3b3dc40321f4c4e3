#include "word/recording.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "base/utf.h"
#include "word/number_text.h"

namespace quorvane::word {
namespace {

// The escape of a character that is not written as itself, or nothing.
std::string_view Escape(char16_t c, std::array<char, 4>& hex) {
  switch (c) {
    case u'\\':
      return "\\\\";
    case u'"':
      return "\\\"";
    case u'\r':
      return "\\r";
    case u'\n':
      return "\\n";
    case u'\f':
      return "\\f";
    case u'\t':
      return "\\t";
    default:
      break;
  }
  if (c >= 0x20) return {};
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  hex = {'\\', 'x', kDigits[c >> 4], kDigits[c & 0xF]};
  return {hex.data(), hex.size()};
}

std::string Line(std::string_view operation, std::string_view name) {
  std::string line(operation);
  line += ' ';
  line += name;
  return line;
}

}  // namespace

std::string QuoteText(std::u16string_view text) {
  std::string out = "\"";
  std::array<char, 4> hex{};
  std::size_t plain = 0;  // start of the run written as UTF-8
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string_view escape = Escape(text[i], hex);
    if (escape.empty()) continue;
    // Escaped characters are never surrogates, so a run never splits a pair.
    out += base::ToUtf8(text.substr(plain, i - plain));
    out += escape;
    plain = i + 1;
  }
  out += base::ToUtf8(text.substr(plain));
  out += '"';
  return out;
}

std::string FormatValue(const Value& value) {
  std::string out(KindName(value.kind()));
  switch (value.kind()) {
    case VarKind::Empty:
    case VarKind::Dispatch:
      return out;
    case VarKind::I2:
      return out + ' ' + std::to_string(value.i2());
    case VarKind::I4:
      return out + ' ' + std::to_string(value.i4());
    case VarKind::R4:
    case VarKind::R4Ref:
      return out + ' ' + ShortestText(value.r4());
    case VarKind::R8:
      return out + ' ' + ShortestText(value.r8());
    case VarKind::Bool:
      return out + (value.boolean() ? " -1" : " 0");
    case VarKind::Bstr:
      return out + ' ' + QuoteText(value.bstr());
  }
  return out;
}

std::string FormatArgs(std::span<const Arg> args) {
  if (args.empty()) return {};
  std::string out = "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) out += ", ";
    if (!args[i].name.empty()) out += args[i].name + ":=";
    out += FormatValue(args[i].value);
  }
  out += ')';
  return out;
}

// Records, then forwards to the inner object; what comes back is wrapped.
class Recorder::Wrapper final : public Dispatch {
 public:
  Wrapper(std::shared_ptr<Recorder> recorder, DispatchPtr inner)
      : recorder_(std::move(recorder)), inner_(std::move(inner)) {}

  Value Get(std::string_view name, std::span<const Arg> args) override {
    recorder_->Attempt(Line("get", name) + FormatArgs(args));
    std::vector<Arg> storage;
    return recorder_->WrapResult(inner_->Get(name, recorder_->Unwrap(args, storage)));
  }

  void Put(std::string_view name, const Value& value) override {
    recorder_->Attempt(Line("put", name) + " = " + FormatValue(value));
    inner_->Put(name, recorder_->Unwrap(value));
  }

  Value Call(std::string_view name, std::span<const Arg> args) override {
    recorder_->Attempt(Line("call", name) + FormatArgs(args));
    std::vector<Arg> storage;
    return recorder_->WrapResult(inner_->Call(name, recorder_->Unwrap(args, storage)));
  }

  const Recorder* recorder() const { return recorder_.get(); }
  const DispatchPtr& inner() const { return inner_; }

 private:
  std::shared_ptr<Recorder> recorder_;
  DispatchPtr inner_;
};

DispatchPtr Recorder::Wrap(DispatchPtr object) {
  if (!object) return object;
  if (const auto* own = dynamic_cast<const Wrapper*>(object.get());
      own && own->recorder() == this) {
    return object;
  }
  return std::make_shared<Wrapper>(shared_from_this(), std::move(object));
}

void Recorder::FailOperation(int n, std::string description) {
  if (n < 1) throw std::invalid_argument("Recorder::FailOperation counts operations from 1");
  failures_[n] = std::move(description);
}

void Recorder::Attempt(std::string line) {
  const int n = ++count_;
  lines_.push_back(std::move(line));
  if (sink_) sink_(lines_.back());
  if (const auto failure = failures_.find(n); failure != failures_.end()) {
    throw AutomationError(failure->second);
  }
}

Value Recorder::WrapResult(Value value) {
  if (value.kind() != VarKind::Dispatch || !value.object()) return value;
  return Value::Object(Wrap(value.object()));
}

Value Recorder::Unwrap(const Value& value) const {
  if (value.kind() != VarKind::Dispatch) return value;
  const auto* own = dynamic_cast<const Wrapper*>(value.object().get());
  return own && own->recorder() == this ? Value::Object(own->inner()) : value;
}

std::span<const Arg> Recorder::Unwrap(std::span<const Arg> args, std::vector<Arg>& storage) const {
  const bool any = std::ranges::any_of(
      args, [](const Arg& arg) { return arg.value.kind() == VarKind::Dispatch; });
  if (!any) return args;
  storage.clear();
  for (const Arg& arg : args) storage.push_back(Arg{arg.name, Unwrap(arg.value)});
  return storage;
}

DispatchPtr RecordingFactory::CreateByClass(std::string_view classId,
                                            std::string_view interfaceId) {
  recorder_->Attempt(Line("create class", classId) + ' ' + std::string(interfaceId));
  return recorder_->Wrap(inner_.CreateByClass(classId, interfaceId));
}

DispatchPtr RecordingFactory::CreateByProgId(std::string_view progId) {
  recorder_->Attempt(Line("create progid", QuoteText(base::FromUtf8(progId))));
  return recorder_->Wrap(inner_.CreateByProgId(progId));
}

}  // namespace quorvane::word
