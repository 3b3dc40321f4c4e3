#include "app/qt/style_sheet_skin.h"

#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "app/beside_program.h"
#include "app/qt/skin_sheet.h"
#include "base/files.h"

namespace quorvane::app::qt {
namespace {

using word::AutomationError;

QString ToQString(const std::u16string& text) {
  return QString::fromStdU16String(text);
}

}  // namespace

void StyleSheetSkin::LoadSkin(const std::u16string& file) {
  const QString path = ToQString(file);
  QByteArray bytes;
  try {
    // Only an ordinary file, and only a sane amount of it.
    const std::string read =
        base::ReadRegularFile(std::filesystem::path(path.toStdU16String()), kMaxSkinFileBytes);
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

void StyleSheetSkin::ApplyWindow(std::int32_t handle) {
  if (!sheet_) throw AutomationError("No skin is loaded.");
  QWidget* window = QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(handle)));
  if (window == nullptr) throw AutomationError("Invalid window handle.");
  if ((options() & kSkinEveryWindow) != 0) {
    qApp->setStyleSheet(*sheet_);
  } else {
    window->setStyleSheet(*sheet_);
  }
}

}  // namespace quorvane::app::qt
