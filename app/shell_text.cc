#include "app/shell_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "word/failure_texts.h"

namespace quorvane::app {
namespace {

// Unicode's white space.
bool IsBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u0085' || c == u'\u00a0' ||
         c == u'\u1680' || (c >= u'\u2000' && c <= u'\u200a') || c == u'\u2028' || c == u'\u2029' ||
         c == u'\u202f' || c == u'\u205f' || c == u'\u3000';
}

// Takes out the thousands separators of the whole-number part, which must
// then stand in groups of three after the first: "1,234,567".
bool RemoveGroupSeparators(std::string& number) {
  const std::size_t start = number.starts_with('-') || number.starts_with('+') ? 1 : 0;
  const std::size_t end = std::min(number.find_first_of(".eE"), number.size());
  if (number.find(',', end) != std::string::npos) return false;
  std::size_t comma = number.find(',', start);
  if (comma >= end) return true;
  if (comma == start || comma - start > 3) return false;
  std::string plain = number.substr(0, comma);
  while (comma < end) {
    const std::size_t next = std::min(number.find(',', comma + 1), end);
    if (next - comma != 4) return false;
    plain += number.substr(comma + 1, 3);
    comma = next;
  }
  number = plain + number.substr(end);
  return true;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AsciiLower(text[i]) != AsciiLower(word[i])) return false;
  }
  return true;
}

// A decimal number in the C locale's form, the whole text.
bool ParseNumber(std::u16string_view text, double& number) {
  std::string ascii;
  for (const char16_t c : text) {
    if (c > 0x7f) return false;
    ascii += static_cast<char>(c);
  }
  if (!RemoveGroupSeparators(ascii)) return false;
  std::string_view digits = ascii;
  // from_chars takes a minus sign but no plus sign.
  if (digits.starts_with('+')) {
    digits.remove_prefix(1);
    if (digits.starts_with('-')) return false;
  }
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size();
}

}  // namespace

std::u16string AppTitleFrom(std::u16string_view productName) {
  constexpr std::size_t kLongest = 40;
  std::u16string title(productName);
  do {
    const std::size_t blank = title.rfind(u' ');
    if (blank == std::u16string::npos) {
      throw std::invalid_argument(std::string(word::failure_text::kInvalidProcedureCall));
    }
    title.resize(blank);
  } while (title.size() > kLongest);
  return title;
}

std::u16string BooleanText(bool value) {
  return value ? u"True" : u"False";
}

bool ToBoolean(std::u16string_view text) {
  const std::u16string_view trimmed = Trimmed(text);
  if (EqualsIgnoringCase(trimmed, u"True")) return true;
  if (EqualsIgnoringCase(trimmed, u"False")) return false;
  // Settings are stored the same on every machine, so numbers never follow
  // the user's locale.
  double number = 0;
  // from_chars reads "nan" and "inf" as numbers; only finite ones count, as
  // "1e999" (out of range) already fails.
  if (!ParseNumber(trimmed, number) || !std::isfinite(number)) {
    throw std::invalid_argument(std::string(word::failure_text::kTypeMismatch));
  }
  return number != 0.0;
}

std::u16string DialogText(std::u16string_view text) {
  std::u16string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r') {
      shown += text[i];
      continue;
    }
    shown += u'\n';
    if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return shown;
}

}  // namespace quorvane::app
