#include "app/apply_skin.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>

#include "app/file_exists.h"

namespace quorvane::app {
namespace {

using word::Value;

bool TakesSkinBackColor(const QWidget& control) {
  return qobject_cast<const QRadioButton*>(&control) != nullptr ||
         qobject_cast<const QCheckBox*>(&control) != nullptr ||
         qobject_cast<const QGroupBox*>(&control) != nullptr ||
         qobject_cast<const QLabel*>(&control) != nullptr;
}

Value Invoke(SkinControl& skin, int dispId, InvokeKind kind, std::initializer_list<Value> args) {
  return skin.Invoke(dispId, kind, std::span<const Value>(args.begin(), args.size()));
}

}  // namespace

QString SkinFilePath(const QString& programFolder) {
  return programFolder + QStringLiteral("/x/o.cjs");
}

QColor ButtonFaceColor() {
  return QApplication::palette().color(QPalette::Button);
}

void SetBackColor(QWidget& widget, const QColor& color) {
  // Buttons paint their background in the Button role, other widgets in Window.
  QPalette palette = widget.palette();
  palette.setColor(widget.backgroundRole(), color);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void ApplySkin(QWidget& window, SkinControl& skin, const QString& programFolder) {
  namespace m = skin_member;
  const QString skinFile = SkinFilePath(programFolder);
  if (!FileExists(skinFile)) return;

  const QColor buttonFace = ButtonFaceColor();
  SetBackColor(window, buttonFace);
  for (QWidget* control : window.findChildren<QWidget*>()) {
    if (TakesSkinBackColor(*control)) SetBackColor(*control, buttonFace);
  }

  Invoke(skin, m::kLoadSkin, InvokeKind::Method,
         {word::Bstr(skinFile.toStdU16String()), word::Bstr(u"")});
  const std::int32_t options = Invoke(skin, m::kOptions, InvokeKind::Get, {}).ToInt32();
  Invoke(skin, m::kOptions, InvokeKind::Put, {word::I4(options | 1)});
  Invoke(skin, m::kSwitchFive, InvokeKind::Put, {word::Bool(true)});
  Invoke(skin, m::kSwitchTen, InvokeKind::Put, {word::Bool(true)});
  // Window handles are 32-bit numbers to the skin control.
  Invoke(skin, m::kApplyWindow, InvokeKind::Method,
         {word::I4(static_cast<std::int32_t>(window.winId()))});
}

}  // namespace quorvane::app
