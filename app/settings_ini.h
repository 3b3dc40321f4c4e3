#ifndef QUORVANE_APP_SETTINGS_INI_H_
#define QUORVANE_APP_SETTINGS_INI_H_

// The INI text of Qt's settings files (QSettings::IniFormat, its native
// format on Linux), as the settings store reads and writes it. QSettings
// reads a section only when it is used and rewrites the whole file, so
// damage elsewhere would surface only after the file was replaced; here the
// whole text is judged first, and a write changes one key's line only,
// keeping every other byte.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::app {

// Why QSettings would not keep `text` as it stands, as a clause such as
// "line 3 has no \"=\"", or empty when it would. Damaged are bytes that are
// not UTF-8, a line that is no section header ("[name]"), comment (";...")
// or "key=value", a line continued with a final backslash, and an escape
// that QSettings does not know.
std::string IniDamage(std::string_view text);

// The text of `key` in `section` (both UTF-8, unescaped) of an undamaged
// `text`, unescaped as QSettings reads it; the last one when the key is there
// more than once; nothing when it is absent. A value that QSettings reads as
// no single text (a list, a variant) is the empty text.
std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// `text` with `key` in `section` set to `value`: each line of the key is
// rewritten, or one is added at the end of the section, or the section at
// the end of the text. Every other byte stays as it was.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace quorvane::app

#endif  // QUORVANE_APP_SETTINGS_INI_H_
