#ifndef QUORVANE_WORD_EMBEDDED_STORY_H_
#define QUORVANE_WORD_EMBEDDED_STORY_H_

// An editable story: its text with one paragraph mark (U+000D) ending each
// paragraph, the character formatting of every character and mark, and the
// paragraph formatting of every paragraph. Formatting is kept per character
// (font names interned) so that edits stay linear; runs are only formed when
// a snapshot is taken.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "word/embedded/document.h"

namespace quorvane::word::embedded {

inline constexpr char16_t kParagraphMark = u'\r';

// A stretch of a story, [start, end).
struct TextRange {
  std::size_t start = 0;
  std::size_t end = 0;
  bool collapsed() const { return start == end; }
  friend bool operator==(const TextRange&, const TextRange&) = default;
};

class EditableStory {
 public:
  // One empty paragraph in the default formats.
  EditableStory();

  // Characters including every paragraph mark; never less than 1.
  std::size_t size() const { return text_.size(); }
  // The last place text can go: just before the final paragraph mark.
  std::size_t lastInsertionPoint() const { return text_.size() - 1; }
  std::u16string_view text() const { return text_; }
  std::u16string_view text(TextRange range) const;

  std::size_t paragraphCount() const { return paragraphs_.size(); }
  // The paragraph holding `pos`; a mark belongs to the paragraph it ends.
  std::size_t ParagraphIndexAt(std::size_t pos) const;
  // The text of the paragraph holding `pos`, from its start up to its mark
  // (so `end` is the position of the mark).
  TextRange ParagraphAt(std::size_t pos) const;
  // First and last paragraph that `range` touches (a collapsed range touches
  // the paragraph it is in).
  std::pair<std::size_t, std::size_t> ParagraphsTouched(TextRange range) const;
  ParagraphFormat& paragraphFormat(std::size_t index) { return paragraphs_.at(index); }
  const ParagraphFormat& paragraphFormat(std::size_t index) const { return paragraphs_.at(index); }

  CharFormat FormatOf(std::size_t pos) const;
  // What text typed at `pos` gets: the character before it, or at the start
  // of a paragraph the character (or mark) after it.
  CharFormat FormatForInsertionAt(std::size_t pos) const;

  void SetFont(TextRange range, std::u16string_view name);
  void SetSize(TextRange range, float size);
  void SetBold(TextRange range, bool bold);
  // The value every character of a non-empty range shares, if they all do.
  std::optional<std::u16string> UniformFont(TextRange range) const;
  std::optional<float> UniformSize(TextRange range) const;
  std::optional<bool> UniformBold(TextRange range) const;

  // Replaces `range` by `storyText` (already in story form, see ToStoryText)
  // in `format`. The final paragraph mark is never removed. Marks in the new
  // text take its format and the paragraph format of the paragraph they
  // split; the final mark takes the format when the new text ends at it.
  // Returns where the new text now stands.
  TextRange Replace(TextRange range, std::u16string_view storyText, const CharFormat& format);

  Story Snapshot() const;

 private:
  struct CharProps {
    std::uint32_t font = 0;  // index into fonts_
    float size = 12.0f;
    bool bold = false;
    friend bool operator==(const CharProps&, const CharProps&) = default;
  };

  std::uint32_t Intern(std::u16string_view font);
  CharProps Props(const CharFormat& format);
  CharFormat Format(const CharProps& props) const;
  std::size_t MarksBefore(std::size_t pos) const;
  TextRange Clamp(TextRange range) const;

  std::u16string text_;
  std::vector<CharProps> props_;             // one per character of text_
  std::vector<ParagraphFormat> paragraphs_;  // one per paragraph mark
  std::vector<std::u16string> fonts_;
};

}  // namespace quorvane::word::embedded

#endif  // QUORVANE_WORD_EMBEDDED_STORY_H_
