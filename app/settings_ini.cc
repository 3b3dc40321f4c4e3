#include "app/settings_ini.h"

#include <cstdio>
#include <vector>

#include "base/utf.h"

namespace quorvane::app {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One line of the text, [begin, end) without its end (LF, CR LF or CR).
struct Line {
  std::size_t begin = 0;
  std::size_t end = 0;
};

std::vector<Line> Lines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back({begin, end});
    const bool crlf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
    begin = end + (end == text.size() ? 0 : crlf ? 2 : 1);
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Utf8Of(char32_t unit) {
  return base::ToUtf8(std::u16string(1, static_cast<char16_t>(unit)));
}

// Reads `count` digits of `base` at `at`; nothing unless at least one.
std::optional<char32_t> Digits(std::string_view text, std::size_t& at, int base,
                               std::size_t count) {
  char32_t value = 0;
  std::size_t read = 0;
  for (; read < count && at < text.size(); ++read, ++at) {
    const char c = text[at];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) break;
    value = value * static_cast<char32_t>(base) + static_cast<char32_t>(digit);
  }
  if (read == 0) return std::nullopt;
  return value;
}

// A section or key name with QSettings' escapes (%XX, %UXXXX) undone;
// nothing when an escape is malformed.
std::optional<std::string> UnescapedName(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i++];
    if (c == '\\') {
      name += '/';  // QSettings' group separator
    } else if (c != '%') {
      name += c;
    } else if (i < text.size() && text[i] == 'U') {
      const std::size_t start = ++i;
      const auto unit = Digits(text, i, 16, 4);
      if (!unit || i - start != 4) return std::nullopt;
      name += Utf8Of(*unit);
    } else {
      const std::size_t start = i;
      const auto byte = Digits(text, i, 16, 2);
      if (!byte || i - start != 2) return std::nullopt;
      name += Utf8Of(*byte);
    }
  }
  return name;
}

// A value as QSettings reads it, or why it would not keep it.
struct Value {
  std::string text;
  int items = 1;  // more than one: a list
  std::string damage;
};

Value ReadValue(std::string_view raw) {
  Value value;
  bool quoted = false;
  std::size_t kept = 0;  // what trailing blanks cannot take: quoted text
  for (std::size_t i = 0; i < raw.size();) {
    const char c = raw[i++];
    if (c == '"') {
      quoted = !quoted;
      kept = value.text.size();
    } else if (c == '\\') {
      if (i == raw.size()) {
        value.damage = "ends in a backslash, which continues it";
        return value;
      }
      const char e = raw[i++];
      static constexpr std::string_view kFrom = "abfnrtv'\"?\\;,", kTo = "\a\b\f\n\r\t\v'\"?\\;,";
      if (const std::size_t at = kFrom.find(e); at != std::string_view::npos) {
        value.text += kTo[at];
      } else if (const auto unit = e == 'x' ? Digits(raw, i, 16, 4) : std::nullopt) {
        value.text += Utf8Of(*unit);
      } else if (e >= '0' && e <= '7') {
        --i;
        value.text += Utf8Of(*Digits(raw, i, 8, 3));
      } else {
        value.damage = std::string("has an unknown escape \\") + e;
        return value;
      }
      kept = value.text.size();
    } else if (!quoted && c == ';') {
      break;  // a comment to the end of the line
    } else {
      if (!quoted && c == ',') ++value.items;
      value.text += c;
    }
  }
  while (value.text.size() > kept && kBlanks.find(value.text.back()) != std::string_view::npos) {
    value.text.pop_back();
  }
  return value;
}

// What a line of the text holds.
struct Parsed {
  enum class Kind { kNothing, kSection, kEntry } kind = Kind::kNothing;
  std::string name;      // section or key
  std::string_view raw;  // an entry's value as written
  std::string damage;
};

Parsed Damaged(std::string why) {
  Parsed parsed;
  parsed.damage = std::move(why);
  return parsed;
}

Parsed Named(Parsed::Kind kind, std::string name, std::string_view raw = {}) {
  Parsed parsed;
  parsed.kind = kind;
  parsed.name = std::move(name);
  parsed.raw = raw;
  return parsed;
}

Parsed Parse(std::string_view line) {
  const std::string_view text = Trimmed(line);
  if (!base::IsUtf8(line)) return Damaged("is not UTF-8 text");
  if (text.empty() || text.front() == ';') return {};
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return Damaged("has no \"]\"");
    if (close + 1 != text.size()) return Damaged("has text after \"]\"");
    auto name = UnescapedName(text.substr(1, close - 1));
    if (!name) return Damaged("has a malformed %-escape");
    return Named(Parsed::Kind::kSection, std::move(*name));
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return Damaged("has no \"=\"");
  const std::string_view key = Trimmed(text.substr(0, equals));
  if (key.empty()) return Damaged("has no key before \"=\"");
  auto name = UnescapedName(key);
  if (!name) return Damaged("has a malformed %-escape");
  const std::string_view raw = Trimmed(text.substr(equals + 1));
  if (std::string damage = ReadValue(raw).damage; !damage.empty()) return Damaged(damage);
  return Named(Parsed::Kind::kEntry, std::move(*name), raw);
}

std::string_view LineText(std::string_view text, const Line& line) {
  return text.substr(line.begin, line.end - line.begin);
}

// QSettings' escapes for a section or key name.
std::string EscapedName(std::string_view name) {
  std::string out;
  for (const char16_t c : base::FromUtf8(name)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.';
    char escape[8];
    if (plain) {
      out += static_cast<char>(c);
    } else if (c < 0x80) {
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned>(c));
      out += escape;
    } else {
      std::snprintf(escape, sizeof escape, "%%U%04X", static_cast<unsigned>(c));
      out += escape;
    }
  }
  return out;
}

std::string EscapedValue(std::string_view value) {
  std::string out = value.starts_with('@') ? "@" : "";  // "@..." would be a variant
  bool quote = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                  kBlanks.find(value.back()) != std::string_view::npos);
  for (const char c : value) {
    static constexpr std::string_view kFrom = "\\\"\n\r\t", kTo = "\\\"nrt";
    if (const std::size_t at = kFrom.find(c); at != std::string_view::npos) {
      out += '\\';
      out += kTo[at];
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned>(c));
      out += escape;
    } else {
      quote = quote || c == ';' || c == ',';
      out += c;
    }
  }
  return quote ? '"' + out + '"' : out;
}

}  // namespace

std::string IniDamage(std::string_view text) {
  const std::vector<Line> lines = Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (std::string damage = Parse(LineText(text, lines[i])).damage; !damage.empty()) {
      return "line " + std::to_string(i + 1) + " " + damage;
    }
  }
  return {};
}

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
  std::optional<std::string> found;
  bool inSection = false;
  for (const Line& line : Lines(text)) {
    const Parsed parsed = Parse(LineText(text, line));
    if (parsed.kind == Parsed::Kind::kSection) inSection = parsed.name == section;
    if (!inSection || parsed.kind != Parsed::Kind::kEntry || parsed.name != key) continue;
    const Value value = ReadValue(parsed.raw);
    found = value.items > 1 ? std::string() : value.text;
    if (found->starts_with("@@")) {
      found->erase(0, 1);
    } else if (found->starts_with("@String(") && found->ends_with(')')) {
      *found = found->substr(8, found->size() - 9);
    } else if (found->starts_with('@')) {
      found->clear();
    }
  }
  return found;
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  const std::string entry = EscapedName(key) + '=' + EscapedValue(value);
  std::vector<Line> entries;              // the key's lines
  std::optional<std::size_t> sectionEnd;  // after the section's last line that is not blank
  bool inSection = false;
  for (const Line& line : Lines(text)) {
    const Parsed parsed = Parse(LineText(text, line));
    if (parsed.kind == Parsed::Kind::kSection) inSection = parsed.name == section;
    if (!inSection) continue;
    if (!Trimmed(LineText(text, line)).empty()) sectionEnd = line.end;
    if (parsed.kind == Parsed::Kind::kEntry && parsed.name == key) entries.push_back(line);
  }
  std::string out;
  if (!entries.empty()) {
    std::size_t copied = 0;
    for (const Line& line : entries) {
      out.append(text.substr(copied, line.begin - copied)).append(entry);
      copied = line.end;
    }
    return out.append(text.substr(copied));
  }
  if (sectionEnd) {
    return out.append(text.substr(0, *sectionEnd))
        .append("\n" + entry)
        .append(text.substr(*sectionEnd));
  }
  out = text;
  if (!out.empty() && !out.ends_with('\n') && !out.ends_with('\r')) out += '\n';
  if (!out.empty()) out += '\n';  // a blank line between sections, as QSettings writes
  return out + '[' + EscapedName(section) + "]\n" + entry + '\n';
}

}  // namespace quorvane::app
