// Window, Pane and View: the view type and where editing happens (SeekView).

#include <string_view>

#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/selection.h"
#include "word/embedded/word_values.h"

namespace quorvane::word::embedded {
namespace {

// WdSeekView values the document has a story for; the first-page and
// even-page headers and footers, footnotes and endnotes do not exist here.
StoryKind SeekTarget(const Value& value) {
  const std::int32_t n =
      EnumIn(value, "View.SeekView", wdSeekMainDocument, wdSeekCurrentPageFooter);
  switch (n) {
    case wdSeekMainDocument:
      return StoryKind::Main;
    case wdSeekPrimaryHeader:
    case wdSeekCurrentPageHeader:
      return StoryKind::Header;
    case wdSeekPrimaryFooter:
    case wdSeekCurrentPageFooter:
      return StoryKind::Footer;
    default:
      throw AutomationError("View.SeekView = " + std::to_string(n) +
                            ": the document has only its main text, primary header and primary "
                            "footer (0, 1, 4, 9, 10)");
  }
}

Value SeekViewOf(StoryKind kind) {
  switch (kind) {
    case StoryKind::Header:
      return I4(wdSeekCurrentPageHeader);
    case StoryKind::Footer:
      return I4(wdSeekCurrentPageFooter);
    case StoryKind::Main:
      break;
  }
  return I4(wdSeekMainDocument);
}

class ViewObject final : public MemberDispatch<ViewObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "View";
  using DocumentBound::DocumentBound;

  static std::span<const Member<ViewObject>> Members() {
    using V = ViewObject;
    static constexpr Member<V> kMembers[] = {
        // The window is never split.
        {.name = "SplitSpecial", .get = [](V&) { return I4(wdPaneNone); }},
        {.name = "Type",
         .get = [](V& v) { return I4(v.doc().viewType); },
         .put = [](V& v, const Value& x) { v.doc().viewType = EnumIn(x, "View.Type", 1, 7); }},
        {.name = "SeekView",
         .get = [](V& v) { return SeekViewOf(v.doc().selection.story); },
         .put = [](V& v, const Value& x) { SeekStory(v.doc(), SeekTarget(x)); }},
    };
    return kMembers;
  }
};

Value ViewOf(const DocumentBound& owner) {
  return Value::Object(std::make_shared<ViewObject>(owner.docPtr()));
}

class PaneObject final : public MemberDispatch<PaneObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Pane";
  using DocumentBound::DocumentBound;

  static std::span<const Member<PaneObject>> Members() {
    static constexpr Member<PaneObject> kMembers[] = {
        {.name = "View", .get = [](PaneObject& p) { return ViewOf(p); }},
    };
    return kMembers;
  }
};

class WindowObject final : public MemberDispatch<WindowObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "Window";
  using DocumentBound::DocumentBound;

  static std::span<const Member<WindowObject>> Members() {
    using W = WindowObject;
    static constexpr Member<W> kMembers[] = {
        {.name = "View", .get = [](W& w) { return ViewOf(w); }},
        {.name = "ActivePane",
         .get = [](W& w) { return Value::Object(std::make_shared<PaneObject>(w.docPtr())); }},
    };
    return kMembers;
  }
};

}  // namespace

DispatchPtr MakeWindowObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<WindowObject>(std::move(doc));
}

}  // namespace quorvane::word::embedded
