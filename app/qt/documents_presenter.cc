#include "app/qt/documents_presenter.h"

#include <cstdio>
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

namespace fs = std::filesystem;

// Any directory entry takes the name: a dangling link too, which a test
// that follows links would call free. When it cannot be told, the write
// says why.
bool Taken(const fs::path& path) {
  std::error_code error;
  const auto type = fs::symlink_status(path, error).type();
  return type != fs::file_type::not_found && type != fs::file_type::none;
}

// What stands in the way of the folder, if anything does.
std::string InTheWay(const fs::path& folder) {
  fs::path at;
  for (const fs::path& part : folder) {
    at /= part;
    std::error_code error;
    const fs::file_status entry = fs::symlink_status(at, error);
    if (entry.type() == fs::file_type::not_found) return {};
    const fs::file_status target = fs::status(at, error);
    if (fs::is_symlink(entry) && target.type() == fs::file_type::not_found) {
      return at.string() + " is a dangling symbolic link";
    }
    if (fs::exists(target) && !fs::is_directory(target)) {
      return at.string() + (fs::is_regular_file(target) ? " is a file" : " is no folder");
    }
  }
  return {};
}

void MakeFolder(const fs::path& folder) {
  std::error_code failed;
  fs::create_directories(folder, failed);
  if (!failed) return;
  const std::string why = InTheWay(folder);
  throw std::runtime_error("Cannot create the folder " + folder.string() + ": " +
                           (why.empty() ? failed.message() : why));
}

// A file: URL of the path's bytes, whatever they are: no decoding on the way.
std::u16string FileUrl(const fs::path& path) {
  std::u16string url = u"file://";
  for (const char c : path.native()) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') ||
        std::string_view("-._~/").find(c) != std::string_view::npos) {
      url += static_cast<char16_t>(byte);
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned>(byte));
      url.append(escape, escape + 3);
    }
  }
  return url;
}

// Plain words for someone who pressed a button and expected a document.
std::u16string NotOpenedText(const fs::path& path, const std::string& reason) {
  return (QStringLiteral(
              "The chart was saved as\r\n%1\r\n\r\nbut it could not be opened: %2.\r\n\r\n"
              "Open it with a word processor, for example LibreOffice Writer "
              "(Debian package libreoffice-writer).")
              .arg(QString::fromStdString(path.string()), QString::fromStdString(reason)))
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

DocumentsPresenter::DocumentsPresenter(Folder folder, Opener& opener, MessageBoxes& boxes,
                                       Writer writer)
    : folder_(std::move(folder)), opener_(opener), boxes_(boxes), writer_(std::move(writer)) {}

void DocumentsPresenter::SaveNewDocx(const word::embedded::Document& document,
                                     const std::filesystem::path& path) {
  word::docx::SaveDocx(document, path, /*replace=*/false);
}

void DocumentsPresenter::Present(const word::embedded::Document& document) {
  const fs::path folder = folder_();
  MakeFolder(folder);
  for (int copy = 1; copy <= kMostCopies; ++copy) {
    const fs::path path = folder / fs::path(DocumentFileName(document, copy).toStdU16String());
    if (Taken(path)) continue;
    try {
      writer_(document, path);
    } catch (const std::exception&) {
      // Someone else took the name in the meantime: try the next one.
      if (Taken(path)) continue;
      throw;
    }
    try {
      opener_.Open(FileUrl(path));
    } catch (const std::exception& e) {
      boxes_.Show(NotOpenedText(path, e.what()), AppTitleFrom(kProductName), kStyleWarning);
    }
    return;
  }
  throw std::runtime_error("No free file name for the document in " + folder.string());
}

}  // namespace quorvane::app::qt
