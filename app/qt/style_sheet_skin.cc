#include "app/qt/style_sheet_skin.h"

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/qt/skin_sheet.h"
#include "app/regular_file.h"

namespace quorvane::app::qt {
namespace {

using word::AutomationError;
using word::Value;

// The descriptions an automation control gives for these refusals.
[[noreturn]] void MemberNotFound() {
  throw AutomationError("Member not found.");
}
[[noreturn]] void WrongArgumentCount() {
  throw AutomationError("Invalid number of parameters.");
}

void ExpectCount(std::span<const Value> args, std::size_t count) {
  if (args.size() != count) WrongArgumentCount();
}

QString ToQString(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

}  // namespace

Value StyleSheetSkin::Invoke(int dispId, InvokeKind kind, std::span<const Value> args) {
  namespace m = skin_member;
  bool* switchValue = dispId == m::kSwitchFive  ? &switchFive_
                      : dispId == m::kSwitchTen ? &switchTen_
                                                : nullptr;
  if (dispId == m::kLoadSkin && kind == InvokeKind::Method) {
    LoadSkin(args);
    return {};
  }
  if (dispId == m::kApplyWindow && kind == InvokeKind::Method) {
    ApplyWindow(args);
    return {};
  }
  if (dispId == m::kOptions && kind == InvokeKind::Get) {
    ExpectCount(args, 0);
    return word::I4(options_);
  }
  if (dispId == m::kOptions && kind == InvokeKind::Put) {
    ExpectCount(args, 1);
    options_ = args[0].ToInt32();
    return {};
  }
  if (switchValue != nullptr && kind == InvokeKind::Get) {
    ExpectCount(args, 0);
    return word::Bool(*switchValue);
  }
  if (switchValue != nullptr && kind == InvokeKind::Put) {
    ExpectCount(args, 1);
    *switchValue = args[0].ToBool();
    return {};
  }
  MemberNotFound();
}

void StyleSheetSkin::LoadSkin(std::span<const Value> args) {
  ExpectCount(args, 2);
  const QString path = ToQString(args[0].bstr());
  args[1].bstr();  // the section: checked for its kind only
  QByteArray bytes;
  try {
    // Only an ordinary file, and only a sane amount of it.
    const std::string read =
        ReadRegularFile(std::filesystem::path(path.toStdU16String()), kMaxSkinFileBytes);
    bytes = QByteArray(read.data(), static_cast<qsizetype>(read.size()));
  } catch (const std::runtime_error& unreadable) {
    throw AutomationError(std::string("Cannot load skin file: ") + unreadable.what());
  }
  try {
    sheet_ = ParseSkinSheet(bytes, path);
  } catch (const std::runtime_error& refused) {
    throw AutomationError(refused.what());
  }
}

void StyleSheetSkin::ApplyWindow(std::span<const Value> args) {
  ExpectCount(args, 1);
  const std::int32_t handle = args[0].ToInt32();
  if (!sheet_) throw AutomationError("No skin is loaded.");
  QWidget* window = QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(handle)));
  if (window == nullptr) throw AutomationError("Invalid window handle.");
  if ((options_ & kSkinEveryWindow) != 0) {
    qApp->setStyleSheet(*sheet_);
  } else {
    window->setStyleSheet(*sheet_);
  }
}

}  // namespace quorvane::app::qt
