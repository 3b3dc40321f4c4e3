// Font, ParagraphFormat and Border: formatting objects that act on the live
// selection of their document.

#include <string_view>

#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/selection_format.h"
#include "word/embedded/word_values.h"

namespace quorvane::word::embedded {
namespace {

Value UndefinedOr(std::optional<std::int32_t> value) {
  return I4(value.value_or(wdUndefined));
}

BoldChange BoldChangeOf(const Value& value) {
  if (value.kind() == VarKind::Bool) return value.boolean() ? BoldChange::On : BoldChange::Off;
  const std::int32_t n = Int32Of(value, "Font.Bold");
  if (n == wdToggle) return BoldChange::Toggle;
  if (n == 0) return BoldChange::Off;
  if (n == -1 || n == 1) return BoldChange::On;
  throw AutomationError("Value out of range: Font.Bold = " + std::to_string(n) +
                        "; it takes True (-1), False (0) or " + std::to_string(wdToggle) +
                        " (toggle)");
}

class FontObject final : public MemberDispatch<FontObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Font";
  using DocumentBound::DocumentBound;

  static std::span<const Member<FontObject>> Members() {
    using F = FontObject;
    static constexpr Member<F> kMembers[] = {
        // A mixed selection reads as an empty name, as in Word.
        {.name = "Name",
         .get = [](F& f) { return Bstr(SelectedFont(f.doc()).value_or(u"")); },
         .put =
             [](F& f, const Value& v) {
               const std::u16string& name = TextOf(v, "Font.Name");
               if (name.empty()) throw AutomationError("Font.Name must not be empty");
               SetSelectedFont(f.doc(), name);
             }},
        {.name = "Size",
         .get =
             [](F& f) {
               return R4(SelectedSize(f.doc()).value_or(static_cast<float>(wdUndefined)));
             },
         .put = [](F& f, const Value& v) { SetSelectedSize(f.doc(), FontSizeOf(v)); }},
        {.name = "Bold",
         .get =
             [](F& f) {
               const std::optional<bool> bold = SelectedBold(f.doc());
               return UndefinedOr(bold ? std::optional<std::int32_t>(*bold ? -1 : 0)
                                       : std::nullopt);
             },
         .put = [](F& f, const Value& v) { SetSelectedBold(f.doc(), BoldChangeOf(v)); }},
    };
    return kMembers;
  }
};

constexpr ParagraphField kAlignment{
    [](const ParagraphFormat& p) { return WordNumber(p.alignment); },
    [](ParagraphFormat& p, std::int32_t n) { p.alignment = static_cast<Alignment>(n); }};
constexpr ParagraphField kTopLineStyle{
    [](const ParagraphFormat& p) { return WordNumber(p.topBorder.lineStyle); },
    [](ParagraphFormat& p, std::int32_t n) { p.topBorder.lineStyle = static_cast<LineStyle>(n); }};
constexpr ParagraphField kTopLineWidth{
    [](const ParagraphFormat& p) { return p.topBorder.lineWidth; },
    [](ParagraphFormat& p, std::int32_t n) { p.topBorder.lineWidth = n; }};
constexpr ParagraphField kTopColor{
    [](const ParagraphFormat& p) { return p.topBorder.color; },
    [](ParagraphFormat& p, std::int32_t n) { p.topBorder.color = n; }};

class ParagraphFormatObject final : public MemberDispatch<ParagraphFormatObject>,
                                    public DocumentBound {
 public:
  static constexpr std::string_view kName = "ParagraphFormat";
  using DocumentBound::DocumentBound;

  static std::span<const Member<ParagraphFormatObject>> Members() {
    using P = ParagraphFormatObject;
    static constexpr Member<P> kMembers[] = {
        {.name = "Alignment",
         .get = [](P& p) { return UndefinedOr(SelectedParagraphsValue(p.doc(), kAlignment)); },
         .put = [](P& p,
                   const Value& v) { SetSelectedParagraphs(p.doc(), kAlignment, AlignmentOf(v)); }},
    };
    return kMembers;
  }
};

// The top border of the paragraphs the selection touches.
class BorderObject final : public MemberDispatch<BorderObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Border";
  using DocumentBound::DocumentBound;

  static std::span<const Member<BorderObject>> Members() {
    using B = BorderObject;
    static constexpr Member<B> kMembers[] = {
        {.name = "LineStyle",
         .get = [](B& b) { return UndefinedOr(SelectedParagraphsValue(b.doc(), kTopLineStyle)); },
         .put =
             [](B& b, const Value& v) {
               SetSelectedParagraphs(b.doc(), kTopLineStyle, LineStyleOf(v, "Border.LineStyle"));
             }},
        {.name = "LineWidth",
         .get = [](B& b) { return UndefinedOr(SelectedParagraphsValue(b.doc(), kTopLineWidth)); },
         .put =
             [](B& b, const Value& v) {
               SetSelectedParagraphs(b.doc(), kTopLineWidth, LineWidthOf(v, "Border.LineWidth"));
             }},
        {.name = "Color",
         .get = [](B& b) { return UndefinedOr(SelectedParagraphsValue(b.doc(), kTopColor)); },
         .put =
             [](B& b, const Value& v) {
               SetSelectedParagraphs(b.doc(), kTopColor, ColorOf(v, "Border.Color"));
             }},
    };
    return kMembers;
  }
};

}  // namespace

DispatchPtr MakeFontObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<FontObject>(std::move(doc));
}

DispatchPtr MakeParagraphFormatObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<ParagraphFormatObject>(std::move(doc));
}

DispatchPtr MakeTopBorderObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<BorderObject>(std::move(doc));
}

}  // namespace quorvane::word::embedded
