#include "tests/app/window_fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <stdexcept>

#include "word/recording.h"

namespace quorvane::test_support {

std::vector<QString> RecordingBoxes::Texts() const {
  std::vector<QString> texts;
  for (const auto& box : shown) texts.push_back(box.text);
  return texts;
}

std::vector<ShownBox> RecordingBoxes::Reports() const {
  std::vector<ShownBox> reports;
  for (const auto& box : shown) {
    if (box.title == QLatin1String("Application Error")) reports.push_back(box);
  }
  return reports;
}

std::vector<int> RecordingBoxes::ReportedLines() const {
  static const QRegularExpression kLine(QStringLiteral("at line (\\d+)\\r\\r"));
  std::vector<int> lines;
  for (const auto& report : Reports()) {
    const auto match = kLine.match(report.text);
    lines.push_back(match.hasMatch() ? match.captured(1).toInt() : -1);
  }
  return lines;
}

QString MemorySettings::Read(const QString& key, int defaultValue) {
  if (failReads) throw std::runtime_error("Cannot read the settings file: it is damaged");
  const auto found = values.find(key);
  return found != values.end() ? found->second : QString::number(defaultValue);
}

void MemorySettings::Write(const QString& key, const QString& text) {
  writes.emplace_back(key, text);
  values[key] = text;
}

word::Value RecordingSkin::Invoke(int dispId, app::InvokeKind kind,
                                  std::span<const word::Value> args) {
  const std::string id = std::to_string(dispId);
  if (kind == app::InvokeKind::Method) {
    std::string list;
    for (const auto& arg : args) list += (list.empty() ? "" : ", ") + word::FormatValue(arg);
    calls.push_back("method " + id + "(" + list + ")");
  } else {
    calls.push_back(kind == app::InvokeKind::Get
                        ? "get " + id
                        : "put " + id + " = " + word::FormatValue(args[0]));
  }
  if (inner != nullptr) return inner->Invoke(dispId, kind, args);
  return kind == app::InvokeKind::Get ? word::I4(0) : word::Value();
}

app::Form1Services WindowHarness::Services() {
  return {.boxes = boxes,
          .exit = exit,
          .opener = opener,
          .clock = clock,
          .random = random,
          .word = *factory,
          .settings = settings,
          .skin = skin,
          .programFolder = folder.path(),
          .faultHook = faultHook};
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
         file.write(bytes) == bytes.size();
}

}  // namespace quorvane::test_support
