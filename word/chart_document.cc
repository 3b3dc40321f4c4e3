#include "word/chart_document.h"

#include <cstdint>
#include <exception>
#include <string>

#include "word/automation.h"
#include "word/word_constants.h"

namespace quorvane::word {
namespace {

constexpr std::u16string_view kHeaderTitle = u"ASCII Conversion Chart";

struct PageLayout {
  float widthInches;
  float heightInches;
  float fontSize;
  double sideMarginInches;
};

PageLayout LayoutFor(std::int32_t orientation, Paper paper) {
  // A4 (210 by 297 mm) is narrower than Letter: the 110 columns of the
  // portrait chart, 528 pt of Courier New at 8 pt, need side margins of at
  // most 0.46 in there. 0.4 in leaves room to spare.
  const bool a4 = paper == Paper::kA4;
  const float shortSide = a4 ? 210 / 25.4f : 8.5f;
  const float longSide = a4 ? 297 / 25.4f : 11.0f;
  const double sideMargin = a4 ? 0.4 : 0.5;
  return orientation == wdOrientPortrait ? PageLayout{shortSide, longSide, 8.0f, sideMargin}
                                         : PageLayout{longSide, shortSide, 10.0f, sideMargin};
}

enum class Creation { kByClass, kByProgId };

// One chart document creation. `wordApp` and `wordDoc` hold their references
// only while it runs.
class ChartDocument {
 public:
  explicit ChartDocument(ObjectFactory& factory) : factory_(factory) {}

  void Make(Creation creation, std::u16string_view chartText, std::u16string_view footerText,
            std::int32_t orientation, const ChartPage& page) {
    try {
      wordApp = Create(creation);
      SetupDocument(chartText, orientation, page.paper);
      SetHeader(page.codePage);
      SetFooter(std::u16string(footerText));
      wordApp.Put("Visible", Bool(true));
    } catch (...) {
      // A Word left hidden with a half-made document would be lost to the
      // user, so tell it to quit before handing the failure on.
      const std::exception_ptr failure = std::current_exception();
      QuitQuietly();
      Release();
      std::rethrow_exception(failure);
    }
    Release();
  }

 private:
  Object Create(Creation creation) {
    Object app(creation == Creation::kByClass
                   ? factory_.CreateByClass(kWordClassId, kWordInterfaceId)
                   : factory_.CreateByProgId(kWordProgId));
    if (!app) throw AutomationError("Word could not be started");
    return app;
  }

  void SetupDocument(std::u16string_view chartText, std::int32_t orientation, Paper paper) {
    const PageLayout layout = LayoutFor(orientation, paper);

    wordApp.Get("Application").Put("Visible", Bool(false));
    wordDoc = Object(wordApp.Get("Documents").Call("add"));
    Object selection = wordApp.Get("Selection");
    selection.Call("WholeStory");

    Object font = selection.Get("Font");
    font.Put("name", Bstr(u"Courier New"));
    font.Put("Size", R4(layout.fontSize));
    font.Put("Bold", Bool(true));

    Object pageSetup = wordApp.Get("ActiveDocument").Get("PageSetup");
    pageSetup.Get("LineNumbering").Put("Active", Bool(false));
    pageSetup.Put("Orientation", I4(orientation));
    pageSetup.Put("TopMargin", wordApp.Call("InchesToPoints", R8(0.3)));
    pageSetup.Put("BottomMargin", wordApp.Call("InchesToPoints", R8(0.6)));
    pageSetup.Put("LeftMargin", wordApp.Call("InchesToPoints", R8(layout.sideMarginInches)));
    pageSetup.Put("RightMargin", wordApp.Call("InchesToPoints", R8(layout.sideMarginInches)));
    pageSetup.Put("Gutter", wordApp.Call("InchesToPoints", I2(0)));
    pageSetup.Put("HeaderDistance", wordApp.Call("InchesToPoints", R8(0.3)));
    pageSetup.Put("FooterDistance", wordApp.Call("InchesToPoints", R8(0.6)));
    pageSetup.Put("PageWidth", wordApp.Call("InchesToPoints", R4Ref(layout.widthInches)));
    pageSetup.Put("PageHeight", wordApp.Call("InchesToPoints", R4Ref(layout.heightInches)));
    pageSetup.Put("FirstPageTray", I4(wdPrinterDefaultBin));
    pageSetup.Put("OtherPagesTray", I4(wdPrinterDefaultBin));
    pageSetup.Put("SectionStart", I4(wdSectionNewPage));
    pageSetup.Put("OddAndEvenPagesHeaderFooter", Bool(false));
    pageSetup.Put("DifferentFirstPageHeaderFooter", Bool(false));
    pageSetup.Put("VerticalAlignment", I4(wdAlignVerticalCenter));
    pageSetup.Put("SuppressEndnotes", Bool(false));
    pageSetup.Put("MirrorMargins", Bool(false));
    pageSetup.Put("TwoPagesOnOne", Bool(false));
    pageSetup.Put("GutterPos", I4(wdGutterPosLeft));

    ReturnToMainText();

    selection = wordApp.Get("Selection");
    selection.Call("Collapse");
    selection.Get("ParagraphFormat").Put("Alignment", I4(wdAlignParagraphLeft));
    selection.Put("Text", Bstr(std::u16string(chartText)));
    selection.Call("HomeKey", Named("Unit", I4(wdStory)));
  }

  void SetHeader(std::u16string_view codePage) {
    std::u16string title(kHeaderTitle);
    if (!codePage.empty()) title.append(u" (").append(codePage).append(u")");
    SeekView(wdSeekCurrentPageHeader);
    Object selection = wordApp.Get("Selection");
    selection.Get("HeaderFooter").Get("Range").Put("Text", Bstr(std::move(title)));
    selection.Call("HomeKey", Named("Unit", I4(wdLine)));
    selection.Call("EndKey", Named("Extend", I4(wdExtend)), Named("Unit", I4(wdLine)));
    selection.Get("Font").Put("name", Bstr(u"Times New Roman"));
    selection.Get("Font").Put("Size", R4(20));
    selection.Get("Font").Put("Bold", I4(wdToggle));
    selection.Get("ParagraphFormat").Put("Alignment", I4(wdAlignParagraphCenter));
    ReturnToMainText();
  }

  void SetFooter(std::u16string footerText) {
    if (IsBlankFooter(footerText)) footerText.clear();
    SeekView(wdSeekCurrentPageFooter);
    Object selection = wordApp.Get("Selection");
    selection.Get("HeaderFooter").Get("Range").Put("Text", Bstr(std::move(footerText)));
    selection.Get("Font").Put("name", Bstr(u"Times New Roman"));
    selection.Get("Font").Put("Size", R4(10));
    selection.Get("Font").Put("Bold", I4(wdToggle));
    selection.Call("HomeKey", Named("Unit", I4(wdLine)));
    selection.Call("EndKey", Named("Extend", I4(wdExtend)), Named("Unit", I4(wdLine)));
    selection.Get("ParagraphFormat").Put("Alignment", I4(wdAlignParagraphCenter));
    // The rule above the footer takes whatever Word holds as its default
    // border. Each value is read before the border is reached, as Word sees it.
    BorderFromDefault("LineStyle", "DefaultBorderLineStyle", selection);
    BorderFromDefault("LineWidth", "DefaultBorderLineWidth", selection);
    BorderFromDefault("Color", "DefaultBorderColor", selection);
    ReturnToMainText();
  }

  void BorderFromDefault(std::string_view property, std::string_view option,
                         const Object& selection) {
    const Value value = wordApp.Get("Options").GetValue(option);
    selection.Get("Borders", I4(wdBorderTop)).Put(property, value);
  }

  void SeekView(std::int32_t view) {
    wordApp.Get("ActiveWindow").Get("ActivePane").Get("View").Put("SeekView", I4(view));
  }

  // Back to the main text in print layout; a split window takes the view type
  // on the window itself.
  void ReturnToMainText() {
    const Object window = wordApp.Get("ActiveWindow");
    if (window.Get("View").GetValue("SplitSpecial").ToInt32() == wdPaneNone) {
      window.Get("ActivePane").Get("View").Put("Type", I4(wdPrintView));
    } else {
      window.Get("View").Put("Type", I4(wdPrintView));
    }
    window.Get("ActivePane").Get("View").Put("SeekView", I4(wdSeekMainDocument));
  }

  void QuitQuietly() noexcept {
    if (!wordApp) return;
    try {
      wordApp.Call("quit");
    } catch (...) {
      // Word may already be gone; the original failure is what matters.
    }
  }

  void Release() noexcept {
    wordDoc.Reset();
    wordApp.Reset();
  }

  ObjectFactory& factory_;
  Object wordApp;
  Object wordDoc;
};

}  // namespace

bool IsBlankFooter(std::u16string_view footerText) {
  return footerText.find_first_not_of(u' ') == std::u16string_view::npos;
}

void MakePortraitDocument(ObjectFactory& factory, std::u16string_view chartText,
                          std::u16string_view footerText, const ChartPage& page) {
  ChartDocument(factory).Make(Creation::kByClass, chartText, footerText, wdOrientPortrait, page);
}

void MakeLandscapeDocument(ObjectFactory& factory, std::u16string_view chartText,
                           std::u16string_view footerText, const ChartPage& page) {
  ChartDocument(factory).Make(Creation::kByProgId, chartText, footerText, wdOrientLandscape, page);
}

}  // namespace quorvane::word
