#include "app/qt/documents_presenter.h"

#include <QDir>
#include <QUrl>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "app/shell_text.h"
#include "word/docx/writer.h"

namespace quorvane::app::qt {
namespace {

// Far more than anyone makes by hand; beyond it something else is wrong.
constexpr int kMostCopies = 10000;

QString HeaderTitle(const word::embedded::Document& document) {
  QString title;
  for (const auto& paragraph : document.header) {
    if (!title.isEmpty()) title += QLatin1Char(' ');
    for (const auto& run : paragraph.runs) title += QString::fromStdU16String(run.text);
  }
  return title;
}

// Forbidden on Windows or Linux, or control characters.
bool UnfitForFileName(QChar c) {
  return c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c);
}

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdU16String());
}

// Any directory entry takes the name: a dangling link too, which a test
// that follows links would call free. When it cannot be told, the write
// says why.
bool Taken(const QString& path) {
  std::error_code error;
  const auto type = std::filesystem::symlink_status(ToPath(path), error).type();
  return type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none;
}

// Plain words for someone who pressed a button and expected a document.
std::u16string NotOpenedText(const QString& path, const std::string& reason) {
  return (QStringLiteral(
              "The chart was saved as\r\n%1\r\n\r\nbut it could not be opened: %2.\r\n\r\n"
              "Open it with a word processor, for example LibreOffice Writer "
              "(Debian package libreoffice-writer).")
              .arg(path, QString::fromStdString(reason)))
      .toStdU16String();
}

}  // namespace

QString DocumentFileName(const word::embedded::Document& document, int copy) {
  QString title = HeaderTitle(document);
  for (QChar& c : title) {
    if (UnfitForFileName(c)) c = QLatin1Char(' ');
  }
  title = title.simplified();
  // A name of dots only would name a folder.
  if (title.isEmpty() || title.count(QLatin1Char('.')) == title.size()) {
    title = QStringLiteral("Document");
  }
  title += document.pageSetup.orientation == word::embedded::Orientation::Landscape
               ? QStringLiteral(" - Landscape")
               : QStringLiteral(" - Portrait");
  if (copy > 1) title += QStringLiteral(" (%1)").arg(copy);
  return title + QStringLiteral(".docx");
}

DocumentsPresenter::DocumentsPresenter(QString folder, Opener& opener, MessageBoxes& boxes,
                                       Writer writer)
    : folder_(std::move(folder)), opener_(opener), boxes_(boxes), writer_(std::move(writer)) {}

void DocumentsPresenter::SaveNewDocx(const word::embedded::Document& document,
                                     const std::filesystem::path& path) {
  word::docx::SaveDocx(document, path, /*replace=*/false);
}

void DocumentsPresenter::Present(const word::embedded::Document& document) {
  if (!QDir().mkpath(folder_)) {
    throw std::runtime_error("Cannot create the folder " + folder_.toStdString());
  }
  const QDir folder(folder_);
  for (int copy = 1; copy <= kMostCopies; ++copy) {
    const QString path = folder.filePath(DocumentFileName(document, copy));
    if (Taken(path)) continue;
    try {
      writer_(document, ToPath(path));
    } catch (const std::exception&) {
      // Someone else took the name in the meantime: try the next one.
      if (Taken(path)) continue;
      throw;
    }
    try {
      opener_.Open(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdU16String());
    } catch (const std::exception& e) {
      boxes_.Show(NotOpenedText(path, e.what()), AppTitleFrom(kProductName), kStyleWarning);
    }
    return;
  }
  throw std::runtime_error("No free file name for the document in " + folder_.toStdString());
}

}  // namespace quorvane::app::qt
