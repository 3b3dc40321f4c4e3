// The window program's presenter: a new .docx in the Documents folder under
// the first free name, then opened.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

#include "app/qt/desktop_services.h"
#include "app/qt/documents_presenter.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

using word::embedded::Document;

Document Titled(std::u16string title, bool landscape = false) {
  Document document;
  document.header.resize(1);
  document.header[0].runs.push_back({std::move(title), {}});
  document.pageSetup.orientation =
      landscape ? word::embedded::Orientation::Landscape : word::embedded::Orientation::Portrait;
  return document;
}

std::vector<QString> FileNamesOf(const std::vector<std::u16string>& urls) {
  std::vector<QString> names;
  for (const std::u16string& url : urls) {
    names.push_back(QFileInfo(QUrl(QString::fromStdU16String(url)).toLocalFile()).fileName());
  }
  return names;
}

DocumentsPresenter::Folder At(const QString& folder) {
  return [path = test_support::ToPath(folder)] { return path; };
}

// Refuses an existing path, as SaveDocx does without `replace`.
void WriteNew(const Document&, const std::filesystem::path& path) {
  QFile file(QString::fromStdU16String(path.u16string()));
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) throw std::runtime_error("exists");
}

TEST(DocumentsPresenterTest, NamesFollowTheHeaderTitleAndTheOrientation) {
  const struct {
    Document document;
    int copy;
    const char* name;
  } kCases[] = {
      {Titled(u"ASCII Conversion Chart"), 1, "ASCII Conversion Chart - Portrait.docx"},
      {Titled(u"ASCII Conversion Chart"), 2, "ASCII Conversion Chart - Portrait (2).docx"},
      {Titled(u"ASCII Conversion Chart", true), 1, "ASCII Conversion Chart - Landscape.docx"},
      {Titled(u"ASCII Conversion Chart", true), 3, "ASCII Conversion Chart - Landscape (3).docx"},
      {Titled(u" a/b:c\tx "), 1, "a b c x - Portrait.docx"},
      {Titled(u".."), 3, "Document - Portrait (3).docx"},
  };
  for (const auto& c : kCases) EXPECT_EQ(DocumentFileName(c.document, c.copy), c.name);
}

TEST(DocumentsPresenterTest, EachDocumentTakesTheNextFreeNameNeverReplacingOne) {
  const QTemporaryDir home;
  const QString documents = home.filePath("Documents");  // made when needed
  test_support::RecordingOpener opener;
  test_support::RecordingBoxes boxes;
  DocumentsPresenter presenter(At(documents), opener, boxes, WriteNew);
  const Document chart = Titled(u"ASCII Conversion Chart");
  presenter.Present(chart);
  ASSERT_TRUE(
      test_support::WriteFile(documents + "/ASCII Conversion Chart - Portrait (2).docx", "kept"));
  presenter.Present(chart);
  EXPECT_THAT(FileNamesOf(opener.opened),
              ::testing::ElementsAre("ASCII Conversion Chart - Portrait.docx",
                                     "ASCII Conversion Chart - Portrait (3).docx"));
  QFile kept(documents + "/ASCII Conversion Chart - Portrait (2).docx");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "kept");
}

TEST(DocumentsPresenterTest, AnyDirectoryEntryTakesTheName) {
  namespace fs = std::filesystem;
  const QTemporaryDir home;
  const fs::path documents = fs::path(home.path().toStdString()) / "Documents";
  fs::create_directory(documents);
  const fs::path stem = documents / "ASCII Conversion Chart - Landscape";
  const fs::path file = documents / "a file";
  ASSERT_TRUE(test_support::WriteFile(QString::fromStdString(file.string()), "kept"));
  fs::create_symlink("nowhere", stem.string() + ".docx");
  fs::create_directory(stem.string() + " (2).docx");
  ASSERT_EQ(::mkfifo((stem.string() + " (3).docx").c_str(), 0600), 0);
  fs::create_symlink("a file", stem.string() + " (4).docx");
  test_support::RecordingOpener opener;
  test_support::RecordingBoxes boxes;
  // The real writer, which refuses each of them too.
  DocumentsPresenter presenter([&] { return documents; }, opener, boxes);
  presenter.Present(Titled(u"ASCII Conversion Chart", true));
  EXPECT_THAT(FileNamesOf(opener.opened),
              ::testing::ElementsAre("ASCII Conversion Chart - Landscape (5).docx"));
  EXPECT_TRUE(fs::is_symlink(stem.string() + ".docx"));
  EXPECT_TRUE(fs::is_directory(stem.string() + " (2).docx"));
  EXPECT_TRUE(fs::is_fifo(stem.string() + " (3).docx"));
  EXPECT_TRUE(fs::is_symlink(stem.string() + " (4).docx"));
  EXPECT_EQ(fs::file_size(file), 4u);
}

// A folder that cannot be made says why; nothing is written or opened.
TEST(DocumentsPresenterTest, AFolderThatCannotBeMadeSaysWhy) {
  namespace fs = std::filesystem;
  const QTemporaryDir scratch;
  const fs::path home = test_support::ToPath(scratch.path());
  ASSERT_TRUE(test_support::WriteFile(home / "file", "a file, not a folder"));
  fs::create_symlink("nowhere", home / "dangling");
  fs::create_directory(home / "locked", home);
  fs::permissions(home / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const bool root = ::geteuid() == 0;  // may write anywhere
  const std::pair<fs::path, std::string> kCases[] = {
      {home / "file", (home / "file").string() + " is a file"},
      {home / "file" / "Documents", (home / "file").string() + " is a file"},
      {home / "dangling", (home / "dangling").string() + " is a dangling symbolic link"},
      {home / "locked" / "Documents", "Permission denied"},
  };
  for (const auto& [folder, why] : kCases) {
    if (root && why == "Permission denied") continue;
    test_support::RecordingOpener opener;
    test_support::RecordingBoxes boxes;
    DocumentsPresenter presenter([&] { return folder; }, opener, boxes);
    try {
      presenter.Present(Titled(u"Chart"));
      ADD_FAILURE() << "written into " << folder;
    } catch (const std::runtime_error& failed) {
      EXPECT_EQ(failed.what(), "Cannot create the folder " + folder.string() + ": " + why);
    }
    EXPECT_TRUE(opener.opened.empty());
  }
  fs::permissions(home / "locked", fs::perms::owner_all);
}

// The folder's name is bytes, kept as they are: not UTF-8 here.
TEST(DocumentsPresenterTest, AFolderNameThatIsNotUtf8IsKeptAsItIs) {
  namespace fs = std::filesystem;
  const QTemporaryDir scratch;
  const fs::path documents = test_support::ToPath(scratch.path()) / "caf\xe9" / "Documents";
  test_support::RecordingOpener opener;
  test_support::RecordingBoxes boxes;
  DocumentsPresenter presenter([&] { return documents; }, opener, boxes);
  presenter.Present(Titled(u"Chart"));
  EXPECT_TRUE(fs::is_regular_file(documents / "Chart - Portrait.docx"));
  EXPECT_THAT(opener.opened,
              ::testing::ElementsAre(u"file://" + scratch.path().toStdU16String() +
                                     u"/caf%E9/Documents/Chart%20-%20Portrait.docx"));
  EXPECT_EQ(fs::directory_iterator(scratch.path().toStdString())->path().filename(), "caf\xe9");
}

// The desktop's opener as the program starts it, played by a script on PATH:
// a saved chart that does not open is one warning that names the file and
// the reason, never a failure of the presenter.
TEST(DocumentsPresenterTest, AChartThatDoesNotOpenIsSavedAndExplained) {
  const struct {
    const char* opener;  // the script's body; null: no xdg-open at all
    const char* reason;  // in the warning; null: no warning
  } kCases[] = {
      {"exit 0", nullptr},
      {"echo 'xdg-open: no method available' >&2; exit 4", "no program for this kind of document"},
      {"exit 1", "xdg-open, ended with status 1"},
      {"kill -9 $$", "xdg-open, crashed"},
      {nullptr, "xdg-utils"},
  };
  const QByteArray path = qgetenv("PATH");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.opener ? c.opener : "no opener");
    const QTemporaryDir home;
    const QString bin = home.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    if (c.opener) {
      ASSERT_TRUE(test_support::WriteFile(bin + "/xdg-open", QByteArray("#!/bin/sh\n") + c.opener));
      ASSERT_EQ(::chmod((bin + "/xdg-open").toLocal8Bit().constData(), 0755), 0);
    }
    qputenv("PATH", bin.toLocal8Bit());
    DocumentOpener opener;
    test_support::RecordingBoxes boxes;
    DocumentsPresenter presenter([&] { return test_support::ToPath(home.filePath("Documents")); },
                                 opener, boxes);
    EXPECT_NO_THROW(presenter.Present(Titled(u"ASCII Conversion Chart")));
    qputenv("PATH", path);
    const QString saved = home.filePath("Documents/ASCII Conversion Chart - Portrait.docx");
    EXPECT_TRUE(QFileInfo(saved).isFile());
    if (!c.reason) {
      EXPECT_TRUE(boxes.shown.empty());
      continue;
    }
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u"Quorvane");
    EXPECT_EQ(boxes.shown[0].style, kStyleWarning);
    const QString text = QString::fromStdU16String(boxes.shown[0].text);
    EXPECT_TRUE(text.contains(saved)) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.reason))) << text.toStdString();
  }
}

}  // namespace
}  // namespace quorvane::app::qt
