#include "word/embedded/story.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace quorvane::word::embedded {

EditableStory::EditableStory() : text_(1, kParagraphMark), paragraphs_(1) {
  props_.push_back(Props(CharFormat{}));
}

std::u16string_view EditableStory::text(TextRange range) const {
  const TextRange r = Clamp(range);
  return std::u16string_view(text_).substr(r.start, r.end - r.start);
}

TextRange EditableStory::Clamp(TextRange range) const {
  const std::size_t end = std::min(range.end, text_.size());
  return TextRange{std::min(range.start, end), end};
}

std::size_t EditableStory::MarksBefore(std::size_t pos) const {
  const auto last = text_.begin() + static_cast<std::ptrdiff_t>(std::min(pos, text_.size()));
  return static_cast<std::size_t>(std::count(text_.begin(), last, kParagraphMark));
}

std::size_t EditableStory::ParagraphIndexAt(std::size_t pos) const {
  return std::min(MarksBefore(pos), paragraphs_.size() - 1);
}

TextRange EditableStory::ParagraphAt(std::size_t pos) const {
  pos = std::min(pos, lastInsertionPoint());
  const std::size_t before = pos == 0 ? std::u16string::npos : text_.rfind(kParagraphMark, pos - 1);
  const std::size_t start = before == std::u16string::npos ? 0 : before + 1;
  return TextRange{start, text_.find(kParagraphMark, pos)};
}

std::pair<std::size_t, std::size_t> EditableStory::ParagraphsTouched(TextRange range) const {
  const TextRange r = Clamp(range);
  const std::size_t first = ParagraphIndexAt(r.start);
  const std::size_t last = r.collapsed() ? first : ParagraphIndexAt(r.end - 1);
  return {first, last};
}

std::uint32_t EditableStory::Intern(std::u16string_view font) {
  const auto found = std::find(fonts_.begin(), fonts_.end(), font);
  if (found != fonts_.end()) return static_cast<std::uint32_t>(found - fonts_.begin());
  fonts_.emplace_back(font);
  return static_cast<std::uint32_t>(fonts_.size() - 1);
}

EditableStory::CharProps EditableStory::Props(const CharFormat& format) {
  return CharProps{Intern(format.font), format.size, format.bold};
}

CharFormat EditableStory::Format(const CharProps& props) const {
  return CharFormat{fonts_[props.font], props.size, props.bold};
}

CharFormat EditableStory::FormatOf(std::size_t pos) const {
  return Format(props_[std::min(pos, text_.size() - 1)]);
}

CharFormat EditableStory::FormatForInsertionAt(std::size_t pos) const {
  pos = std::min(pos, lastInsertionPoint());
  if (pos > 0 && text_[pos - 1] != kParagraphMark) return Format(props_[pos - 1]);
  return Format(props_[pos]);
}

void EditableStory::SetFont(TextRange range, std::u16string_view name) {
  const TextRange r = Clamp(range);
  const std::uint32_t font = Intern(name);
  for (std::size_t i = r.start; i < r.end; ++i) props_[i].font = font;
}

void EditableStory::SetSize(TextRange range, float size) {
  const TextRange r = Clamp(range);
  for (std::size_t i = r.start; i < r.end; ++i) props_[i].size = size;
}

void EditableStory::SetBold(TextRange range, bool bold) {
  const TextRange r = Clamp(range);
  for (std::size_t i = r.start; i < r.end; ++i) props_[i].bold = bold;
}

namespace {

template <typename Props, typename Field>
auto Uniform(const std::vector<Props>& props, TextRange r, Field field)
    -> std::optional<std::decay_t<decltype(field(props.front()))>> {
  if (r.collapsed()) return std::nullopt;
  const auto first = field(props[r.start]);
  for (std::size_t i = r.start + 1; i < r.end; ++i) {
    if (!(field(props[i]) == first)) return std::nullopt;
  }
  return first;
}

}  // namespace

std::optional<std::u16string> EditableStory::UniformFont(TextRange range) const {
  const auto font = Uniform(props_, Clamp(range), [](const CharProps& p) { return p.font; });
  if (!font) return std::nullopt;
  return fonts_[*font];
}

std::optional<float> EditableStory::UniformSize(TextRange range) const {
  return Uniform(props_, Clamp(range), [](const CharProps& p) { return p.size; });
}

std::optional<bool> EditableStory::UniformBold(TextRange range) const {
  return Uniform(props_, Clamp(range), [](const CharProps& p) { return p.bold; });
}

TextRange EditableStory::Replace(TextRange range, std::u16string_view storyText,
                                 const CharFormat& format) {
  TextRange r = Clamp(range);
  r.end = std::min(r.end, lastInsertionPoint());  // the final mark stays
  r.start = std::min(r.start, r.end);

  // Marks removed with the text take their paragraphs with them: the merged
  // paragraph keeps the format of the mark that survives, as in Word.
  const std::size_t firstParagraph = MarksBefore(r.start);
  const auto removedMarks = static_cast<std::size_t>(
      std::count(text_.begin() + static_cast<std::ptrdiff_t>(r.start),
                 text_.begin() + static_cast<std::ptrdiff_t>(r.end), kParagraphMark));
  const auto paragraphAt = [this](std::size_t index) {
    return paragraphs_.begin() + static_cast<std::ptrdiff_t>(index);
  };
  paragraphs_.erase(paragraphAt(firstParagraph), paragraphAt(firstParagraph + removedMarks));

  // New marks split the paragraph they land in; both parts keep its format.
  const auto addedMarks =
      static_cast<std::size_t>(std::count(storyText.begin(), storyText.end(), kParagraphMark));
  const ParagraphFormat split = paragraphs_.at(firstParagraph);
  paragraphs_.insert(paragraphAt(firstParagraph), addedMarks, split);

  const CharProps props = Props(format);
  text_.replace(r.start, r.end - r.start, storyText);
  const auto propsAt = [this](std::size_t pos) {
    return props_.begin() + static_cast<std::ptrdiff_t>(pos);
  };
  props_.erase(propsAt(r.start), propsAt(r.end));
  props_.insert(propsAt(r.start), storyText.size(), props);

  const TextRange inserted{r.start, r.start + storyText.size()};
  if (!storyText.empty() && inserted.end == lastInsertionPoint()) props_.back() = props;
  return inserted;
}

Story EditableStory::Snapshot() const {
  Story story;
  story.reserve(paragraphs_.size());
  Paragraph paragraph;
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const bool mark = text_[i] == kParagraphMark;
    const bool runEnds = mark || props_[i + 1] != props_[i] || text_[i + 1] == kParagraphMark;
    if (!mark && runEnds) {
      paragraph.runs.push_back(Run{text_.substr(runStart, i + 1 - runStart), Format(props_[i])});
    }
    if (mark) {
      paragraph.format = paragraphs_[story.size()];
      paragraph.markFormat = Format(props_[i]);
      story.push_back(std::move(paragraph));
      paragraph = Paragraph{};
    }
    if (runEnds) runStart = i + 1;
  }
  return story;
}

}  // namespace quorvane::word::embedded
