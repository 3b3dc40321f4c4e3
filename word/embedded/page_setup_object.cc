// PageSetup and LineNumbering. PageSetup's many properties are described by
// a table rather than written out one by one.

#include <array>
#include <string>
#include <string_view>

#include "word/embedded/member_table.h"
#include "word/embedded/objects.h"
#include "word/embedded/page_setup_rules.h"
#include "word/embedded/word_values.h"

namespace quorvane::word::embedded {
namespace {

class LineNumberingObject final : public MemberDispatch<LineNumberingObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "LineNumbering";
  using DocumentBound::DocumentBound;

  static std::span<const Member<LineNumberingObject>> Members() {
    using L = LineNumberingObject;
    static constexpr Member<L> kMembers[] = {
        {.name = "Active",
         .get = [](L& l) { return I4(l.doc().pageSetup.lineNumbering ? -1 : 0); },
         .put =
             [](L& l, const Value& v) {
               l.doc().pageSetup.lineNumbering = BoolOf(v, "LineNumbering.Active");
             }},
    };
    return kMembers;
  }
};

enum class Kind {
  Length,       // points, 0 to 1584
  PageSize,     // points, 7.2 to 1584
  Orientation,  // 0 or 1; swaps the page size
  Enum,         // low to high
  Flag,         // Word's Long flags: read as -1 or 0
  Boolean,      // read as BOOL
};

struct Property {
  std::string_view name;
  Kind kind;
  float PageSetup::*length = nullptr;
  std::int32_t PageSetup::*number = nullptr;
  bool PageSetup::*flag = nullptr;
  std::int32_t low = 0;
  std::int32_t high = 0;
};

constexpr Property Length(std::string_view name, float PageSetup::*field) {
  return {.name = name, .kind = Kind::Length, .length = field};
}
constexpr Property PageSize(std::string_view name, float PageSetup::*field) {
  return {.name = name, .kind = Kind::PageSize, .length = field};
}
constexpr Property Enum(std::string_view name, std::int32_t PageSetup::*field, std::int32_t low,
                        std::int32_t high) {
  return {.name = name, .kind = Kind::Enum, .number = field, .low = low, .high = high};
}
constexpr Property Flag(std::string_view name, bool PageSetup::*field, Kind kind = Kind::Flag) {
  return {.name = name, .kind = kind, .flag = field};
}

constexpr std::array kProperties{
    Property{.name = "Orientation", .kind = Kind::Orientation, .number = &PageSetup::orientation},
    Length("TopMargin", &PageSetup::topMargin),
    Length("BottomMargin", &PageSetup::bottomMargin),
    Length("LeftMargin", &PageSetup::leftMargin),
    Length("RightMargin", &PageSetup::rightMargin),
    Length("Gutter", &PageSetup::gutter),
    Length("HeaderDistance", &PageSetup::headerDistance),
    Length("FooterDistance", &PageSetup::footerDistance),
    PageSize("PageWidth", &PageSetup::pageWidth),
    PageSize("PageHeight", &PageSetup::pageHeight),
    Enum("FirstPageTray", &PageSetup::firstPageTray, 0, 15),  // WdPaperTray
    Enum("OtherPagesTray", &PageSetup::otherPagesTray, 0, 15),
    Enum("SectionStart", &PageSetup::sectionStart, 0, 4),
    Flag("OddAndEvenPagesHeaderFooter", &PageSetup::oddAndEvenPagesHeaderFooter),
    Flag("DifferentFirstPageHeaderFooter", &PageSetup::differentFirstPageHeaderFooter),
    Enum("VerticalAlignment", &PageSetup::verticalAlignment, 0, 3),
    Flag("SuppressEndnotes", &PageSetup::suppressEndnotes),
    Flag("MirrorMargins", &PageSetup::mirrorMargins),
    Flag("TwoPagesOnOne", &PageSetup::twoPagesOnOne, Kind::Boolean),
    Enum("GutterPos", &PageSetup::gutterPos, 0, 2),  // WdGutterStyle
};

Value Read(const PageSetup& setup, const Property& p) {
  switch (p.kind) {
    case Kind::Length:
    case Kind::PageSize:
      return R4(setup.*p.length);
    case Kind::Orientation:
    case Kind::Enum:
      return I4(setup.*p.number);
    case Kind::Flag:
      return I4(setup.*p.flag ? -1 : 0);
    case Kind::Boolean:
      return Bool(setup.*p.flag);
  }
  return Value();
}

void Write(PageSetup& setup, const Property& p, const Value& value, std::string_view what) {
  switch (p.kind) {
    case Kind::Length:
      setup.*p.length = static_cast<float>(NumberIn(value, what, 0, kMaxLength, "points"));
      return;
    case Kind::PageSize:
      setup.*p.length =
          static_cast<float>(NumberIn(value, what, kMinPageSize, kMaxPageSize, "points"));
      return;
    case Kind::Orientation:
      ApplyOrientation(setup, EnumIn(value, what, 0, 1));
      return;
    case Kind::Enum:
      setup.*p.number = EnumIn(value, what, p.low, p.high);
      return;
    case Kind::Flag:
    case Kind::Boolean:
      setup.*p.flag = BoolOf(value, what);
      return;
  }
}

class PageSetupObject final : public Dispatch, public DocumentBound {
 public:
  static constexpr std::string_view kName = "PageSetup";
  using DocumentBound::DocumentBound;

  Value Get(std::string_view name, std::span<const Arg> args) override {
    CheckAvailable();
    if (SameName(name, "LineNumbering")) {
      NoArgs("LineNumbering", args);
      return Value::Object(std::make_shared<LineNumberingObject>(docPtr()));
    }
    const Property& p = Find(name);
    NoArgs(p.name, args);
    return Read(doc().pageSetup, p);
  }

  void Put(std::string_view name, const Value& value) override {
    CheckAvailable();
    if (SameName(name, "LineNumbering")) RefuseAccess(kName, "LineNumbering", "is read-only");
    const Property& p = Find(name);
    const std::string what = std::string(kName) + "." + std::string(p.name);
    PageSetup candidate = doc().pageSetup;
    Write(candidate, p, value, what);
    CheckRoomForText(candidate, what);
    doc().pageSetup = candidate;
  }

  Value Call(std::string_view name, std::span<const Arg>) override {
    CheckAvailable();
    if (SameName(name, "LineNumbering")) {
      RefuseAccess(kName, "LineNumbering", "is a property, not a method");
    }
    RefuseAccess(kName, Find(name).name, "is a property, not a method");
  }

 private:
  static const Property& Find(std::string_view name) {
    for (const Property& p : kProperties) {
      if (SameName(p.name, name)) return p;
    }
    RefuseUnknownMember(kName, name);
  }

  static void NoArgs(std::string_view member, std::span<const Arg> args) {
    if (!args.empty()) RefuseAccess(kName, member, "takes no arguments");
  }
};

}  // namespace

DispatchPtr MakePageSetupObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<PageSetupObject>(std::move(doc));
}

}  // namespace quorvane::word::embedded
