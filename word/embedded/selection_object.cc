// The Selection object: movements, text and the way to its formatting objects.

#include <cstdint>
#include <string>
#include <string_view>

#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/selection.h"
#include "word/embedded/word_values.h"

namespace quorvane::word::embedded {
namespace {

MoveUnit UnitOf(const Value* unit, std::string_view where) {
  if (unit == nullptr) return MoveUnit::Line;
  const std::int32_t n = Int32Of(*unit, where);
  if (n == wdLine) return MoveUnit::Line;
  if (n == wdStory) return MoveUnit::WholeStory;
  throw AutomationError("Bad parameter: " + std::string(where) + " Unit = " + std::to_string(n) +
                        "; the supported units are 5 (line) and 6 (story)");
}

MoveMode ModeOf(const Value* extend, std::string_view where) {
  if (extend == nullptr) return MoveMode::Move;
  return EnumIn(*extend, where, wdMove, wdExtend) == wdExtend ? MoveMode::Extend : MoveMode::Move;
}

Value I4Of(std::size_t n) {
  return Value::I4(static_cast<std::int32_t>(n));
}

class SelectionObject final : public MemberDispatch<SelectionObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Selection";
  using DocumentBound::DocumentBound;

  static std::span<const Member<SelectionObject>> Members() {
    using S = SelectionObject;
    static constexpr Member<S> kMembers[] = {
        {.name = "Text",
         .get =
             [](S& s) { return Bstr(std::u16string(s.story().text(s.doc().selection.range()))); },
         .put = [](S& s, const Value& v) { TypeText(s.doc(), TextOf(v, "Selection.Text")); }},
        {.name = "WholeStory",
         .call =
             [](S& s, std::span<const Arg> args) {
               BindArgs<0>(args, {}, "Selection.WholeStory");
               SelectWholeStory(s.doc());
               return Value();
             }},
        {.name = "Collapse",
         .call =
             [](S& s, std::span<const Arg> args) {
               const auto [direction] = BindArgs<1>(args, {"Direction"}, "Selection.Collapse");
               // WdCollapseDirection: 1 start (the default), 0 end.
               const bool toEnd = direction != nullptr &&
                                  EnumIn(*direction, "Selection.Collapse Direction", 0, 1) == 0;
               Collapse(s.doc(), toEnd ? CollapseTo::End : CollapseTo::Start);
               return Value();
             }},
        {.name = "HomeKey",
         .call =
             [](S& s, std::span<const Arg> args) {
               const auto [unit, extend] =
                   BindArgs<2>(args, {"Unit", "Extend"}, "Selection.HomeKey");
               return I4Of(MoveHome(s.doc(), UnitOf(unit, "Selection.HomeKey"),
                                    ModeOf(extend, "Selection.HomeKey Extend")));
             }},
        {.name = "EndKey",
         .call =
             [](S& s, std::span<const Arg> args) {
               const auto [unit, extend] =
                   BindArgs<2>(args, {"Unit", "Extend"}, "Selection.EndKey");
               return I4Of(MoveEnd(s.doc(), UnitOf(unit, "Selection.EndKey"),
                                   ModeOf(extend, "Selection.EndKey Extend")));
             }},
        {.name = "Font", .get = [](S& s) { return Value::Object(MakeFontObject(s.docPtr())); }},
        {.name = "ParagraphFormat",
         .get = [](S& s) { return Value::Object(MakeParagraphFormatObject(s.docPtr())); }},
        {.name = "Borders",
         .getWith =
             [](S& s, std::span<const Arg> args) {
               const auto [index] = BindArgs<1>(args, {"Index"}, "Selection.Borders");
               if (index == nullptr) {
                 throw AutomationError("Selection.Borders needs the index of a border (-1: top)");
               }
               // WdBorderType; the document keeps only the paragraphs' top border.
               const std::int32_t which = Int32Of(*index, "Selection.Borders index");
               if (which != -1) {
                 throw AutomationError("Selection.Borders(" + std::to_string(which) +
                                       "): only the top border (-1) is supported");
               }
               return Value::Object(MakeTopBorderObject(s.docPtr()));
             }},
        {.name = "HeaderFooter",
         .get =
             [](S& s) {
               const StoryKind kind = s.doc().selection.story;
               if (kind == StoryKind::Main) {
                 throw AutomationError(
                     "Selection.HeaderFooter is only available while the selection is in a header "
                     "or footer");
               }
               return Value::Object(MakeHeaderFooterObject(s.docPtr(), kind));
             }},
        {.name = "Start", .get = [](S& s) { return I4Of(s.doc().selection.range().start); }},
        {.name = "End", .get = [](S& s) { return I4Of(s.doc().selection.range().end); }},
        {.name = "StoryType",
         .get =
             [](S& s) {
               // WdStoryType: main text, primary header, primary footer.
               switch (s.doc().selection.story) {
                 case StoryKind::Header:
                   return I4(7);
                 case StoryKind::Footer:
                   return I4(9);
                 case StoryKind::Main:
                   break;
               }
               return I4(1);
             }},
    };
    return kMembers;
  }

 private:
  const EditableStory& story() const { return doc().selectedStory(); }
};

}  // namespace

DispatchPtr MakeSelectionObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<SelectionObject>(std::move(doc));
}

}  // namespace quorvane::word::embedded
