#include "word/embedded/page_setup_rules.h"

#include <string>
#include <utility>

#include "word/automation.h"
#include "word/embedded/word_values.h"
#include "word/number_text.h"

namespace quorvane::word::embedded {
namespace {

[[noreturn]] void NoRoom(std::string_view what, std::string_view margins, double used,
                         std::string_view dimension, double page) {
  throw AutomationError(std::string(what) + ": the margins, gutter or header/footer distance do " +
                        "not fit the page: " + std::string(margins) + " (" + ShortestText(used) +
                        " points) must be less than the page " + std::string(dimension) + " (" +
                        ShortestText(page) + " points)");
}

}  // namespace

void CheckRoomForText(const PageSetup& setup, std::string_view what) {
  const bool gutterTop = setup.gutterPos == GutterPos::Top;
  const double across =
      double{setup.leftMargin} + setup.rightMargin + (gutterTop ? 0.0 : setup.gutter);
  if (across >= setup.pageWidth) {
    NoRoom(what, "left and right margins and gutter", across, "width", setup.pageWidth);
  }
  const double down =
      double{setup.topMargin} + setup.bottomMargin + (gutterTop ? setup.gutter : 0.0);
  if (down >= setup.pageHeight) {
    NoRoom(what, "top and bottom margins and gutter", down, "height", setup.pageHeight);
  }
  if (setup.headerDistance >= setup.pageHeight) {
    NoRoom(what, "the header distance", setup.headerDistance, "height", setup.pageHeight);
  }
  if (setup.footerDistance >= setup.pageHeight) {
    NoRoom(what, "the footer distance", setup.footerDistance, "height", setup.pageHeight);
  }
}

void ApplyOrientation(PageSetup& setup, Orientation orientation) {
  const bool landscape = orientation == Orientation::Landscape;
  if ((setup.pageWidth > setup.pageHeight) != landscape && setup.pageWidth != setup.pageHeight) {
    std::swap(setup.pageWidth, setup.pageHeight);
  }
  setup.orientation = orientation;
}

}  // namespace quorvane::word::embedded
