// PageSetup and LineNumbering. PageSetup's many properties are described by
// a table rather than written out one by one.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

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
  bool PageSetup::*flag = nullptr;
  // Enumerations as Word's numbers, whatever the field's own type.
  std::int32_t (*number)(const PageSetup&) = nullptr;
  void (*setNumber)(PageSetup&, std::int32_t) = nullptr;
  std::int32_t low = 0;
  std::int32_t high = 0;
};

constexpr Property Length(std::string_view name, float PageSetup::*field) {
  return {.name = name, .kind = Kind::Length, .length = field};
}
constexpr Property PageSize(std::string_view name, float PageSetup::*field) {
  return {.name = name, .kind = Kind::PageSize, .length = field};
}
template <auto field>
constexpr Property Enum(std::string_view name, std::int32_t low, std::int32_t high,
                        Kind kind = Kind::Enum) {
  using Field = std::remove_cvref_t<decltype(PageSetup{}.*field)>;
  return {.name = name,
          .kind = kind,
          .number = [](const PageSetup& s) { return static_cast<std::int32_t>(s.*field); },
          .setNumber = [](PageSetup& s, std::int32_t n) { s.*field = static_cast<Field>(n); },
          .low = low,
          .high = high};
}
constexpr Property Flag(std::string_view name, bool PageSetup::*field, Kind kind = Kind::Flag) {
  return {.name = name, .kind = kind, .flag = field};
}

constexpr std::array kProperties{
    Enum<&PageSetup::orientation>("Orientation", wdOrientPortrait, wdOrientLandscape,
                                  Kind::Orientation),
    Length("TopMargin", &PageSetup::topMargin),
    Length("BottomMargin", &PageSetup::bottomMargin),
    Length("LeftMargin", &PageSetup::leftMargin),
    Length("RightMargin", &PageSetup::rightMargin),
    Length("Gutter", &PageSetup::gutter),
    Length("HeaderDistance", &PageSetup::headerDistance),
    Length("FooterDistance", &PageSetup::footerDistance),
    PageSize("PageWidth", &PageSetup::pageWidth),
    PageSize("PageHeight", &PageSetup::pageHeight),
    Enum<&PageSetup::firstPageTray>("FirstPageTray", 0, 15),  // WdPaperTray
    Enum<&PageSetup::otherPagesTray>("OtherPagesTray", 0, 15),
    Enum<&PageSetup::sectionStart>("SectionStart", wdSectionContinuous, wdSectionOddPage),
    Flag("OddAndEvenPagesHeaderFooter", &PageSetup::oddAndEvenPagesHeaderFooter),
    Flag("DifferentFirstPageHeaderFooter", &PageSetup::differentFirstPageHeaderFooter),
    Enum<&PageSetup::verticalAlignment>("VerticalAlignment", wdAlignVerticalTop,
                                        wdAlignVerticalBottom),
    Flag("SuppressEndnotes", &PageSetup::suppressEndnotes),
    Flag("MirrorMargins", &PageSetup::mirrorMargins),
    Flag("TwoPagesOnOne", &PageSetup::twoPagesOnOne, Kind::Boolean),
    Enum<&PageSetup::gutterPos>("GutterPos", wdGutterPosLeft, wdGutterPosRight),
};

Value Read(const PageSetup& setup, const Property& p) {
  switch (p.kind) {
    case Kind::Length:
    case Kind::PageSize:
      return R4(setup.*p.length);
    case Kind::Orientation:
    case Kind::Enum:
      return I4(p.number(setup));
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
      ApplyOrientation(setup, static_cast<Orientation>(EnumIn(value, what, p.low, p.high)));
      return;
    case Kind::Enum:
      p.setNumber(setup, EnumIn(value, what, p.low, p.high));
      return;
    case Kind::Flag:
    case Kind::Boolean:
      setup.*p.flag = BoolOf(value, what);
      return;
  }
}

class PageSetupObject final : public MemberDispatch<PageSetupObject>, public DocumentBound {
 public:
  static constexpr std::string_view kName = "PageSetup";
  using DocumentBound::DocumentBound;

 private:
  using P = PageSetupObject;

  // One member a property of the table, and LineNumbering.
  template <std::size_t... I>
  static constexpr std::array<Member<P>, sizeof...(I) + 1> MakeMembers(std::index_sequence<I...>) {
    return {Member<P>{.name = "LineNumbering",
                      .get =
                          [](P& p) {
                            return Value::Object(std::make_shared<LineNumberingObject>(p.docPtr()));
                          }},
            Member<P>{.name = kProperties[I].name, .get = &GetAt<I>, .put = &PutAt<I>}...};
  }

  template <std::size_t I>
  static Value GetAt(P& p) {
    return Read(p.doc().pageSetup, kProperties[I]);
  }

  // A refused value, or one that leaves no room for text, changes nothing.
  template <std::size_t I>
  static void PutAt(P& p, const Value& value) {
    const Property& property = kProperties[I];
    const std::string what = std::string(kName) + "." + std::string(property.name);
    PageSetup candidate = p.doc().pageSetup;
    Write(candidate, property, value, what);
    CheckRoomForText(candidate, what);
    p.doc().pageSetup = candidate;
  }

 public:
  static std::span<const Member<PageSetupObject>> Members() {
    static constexpr auto kMembers = MakeMembers(std::make_index_sequence<kProperties.size()>());
    return kMembers;
  }
};

}  // namespace

DispatchPtr MakePageSetupObject(std::shared_ptr<DocumentState> doc) {
  return std::make_shared<PageSetupObject>(std::move(doc));
}

}  // namespace quorvane::word::embedded
