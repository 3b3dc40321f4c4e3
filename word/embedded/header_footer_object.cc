// HeaderFooter and its Range: the whole text of a header or footer story.

#include <string_view>

#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/selection.h"
#include "word/embedded/word_values.h"

namespace quorvane::word::embedded {
namespace {

class StoryBound : public DocumentBound {
 public:
  StoryBound(std::shared_ptr<DocumentState> doc, StoryKind kind)
      : DocumentBound(std::move(doc)), kind_(kind) {}
  StoryKind kind() const { return kind_; }

 private:
  StoryKind kind_;
};

class RangeObject final : public MemberDispatch<RangeObject>, public StoryBound {
 public:
  static constexpr std::string_view kName = "Range";
  using StoryBound::StoryBound;

  static std::span<const Member<RangeObject>> Members() {
    using R = RangeObject;
    static constexpr Member<R> kMembers[] = {
        {.name = "Text",
         .get = [](R& r) { return Bstr(std::u16string(r.doc().story(r.kind()).text())); },
         .put =
             [](R& r, const Value& v) {
               ReplaceStoryText(r.doc(), r.kind(), TextOf(v, "Range.Text"));
             }},
    };
    return kMembers;
  }
};

class HeaderFooterObject final : public MemberDispatch<HeaderFooterObject>, public StoryBound {
 public:
  static constexpr std::string_view kName = "HeaderFooter";
  using StoryBound::StoryBound;

  static std::span<const Member<HeaderFooterObject>> Members() {
    using H = HeaderFooterObject;
    static constexpr Member<H> kMembers[] = {
        {.name = "Range",
         .get =
             [](H& h) {
               return Value::Object(std::make_shared<RangeObject>(h.docPtr(), h.kind()));
             }},
    };
    return kMembers;
  }
};

}  // namespace

DispatchPtr MakeHeaderFooterObject(std::shared_ptr<DocumentState> doc, StoryKind kind) {
  return std::make_shared<HeaderFooterObject>(std::move(doc), kind);
}

}  // namespace quorvane::word::embedded
