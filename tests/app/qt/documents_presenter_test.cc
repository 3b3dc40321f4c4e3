// The window program's presenter: a new .docx in the Documents folder under
// the first free name, then opened.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include "app/qt/documents_presenter.h"
#include "tests/app/qt/window_harness.h"

namespace quorvane::app::qt {
namespace {

using word::embedded::Document;

Document Titled(std::u16string title) {
  Document document;
  document.header.resize(1);
  document.header[0].runs.push_back({std::move(title), {}});
  return document;
}

// Refuses an existing path, as SaveDocx does without `replace`.
void WriteNew(const Document&, const std::filesystem::path& path) {
  QFile file(QString::fromStdU16String(path.u16string()));
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) throw std::runtime_error("exists");
}

TEST(DocumentsPresenterTest, NamesFollowTheHeaderTitle) {
  EXPECT_EQ(DocumentFileName(Titled(u"ASCII Conversion Chart"), 1), "ASCII Conversion Chart.docx");
  EXPECT_EQ(DocumentFileName(Titled(u"ASCII Conversion Chart"), 2),
            "ASCII Conversion Chart (2).docx");
  EXPECT_EQ(DocumentFileName(Titled(u" a/b:c\tx "), 1), "a b c x.docx");
  EXPECT_EQ(DocumentFileName(Titled(u".."), 3), "Document (3).docx");
}

TEST(DocumentsPresenterTest, EachDocumentTakesTheNextFreeNameNeverReplacingOne) {
  const QTemporaryDir home;
  const QString documents = home.filePath("Documents");  // made when needed
  test_support::RecordingOpener opener;
  DocumentsPresenter presenter(documents, opener, WriteNew);
  const Document chart = Titled(u"ASCII Conversion Chart");
  presenter.Present(chart);
  ASSERT_TRUE(test_support::WriteFile(documents + "/ASCII Conversion Chart (2).docx", "kept"));
  presenter.Present(chart);
  std::vector<QString> opened;
  for (const std::u16string& url : opener.opened) {
    opened.push_back(QFileInfo(QUrl(QString::fromStdU16String(url)).toLocalFile()).fileName());
  }
  EXPECT_THAT(opened, ::testing::ElementsAre("ASCII Conversion Chart.docx",
                                             "ASCII Conversion Chart (3).docx"));
  QFile kept(documents + "/ASCII Conversion Chart (2).docx");
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "kept");
}

TEST(DocumentsPresenterTest, UnwritableFolderFailsAndOpensNothing) {
  const QTemporaryDir home;
  ASSERT_TRUE(test_support::WriteFile(home.filePath("Documents"), "a file, not a folder"));
  test_support::RecordingOpener opener;
  DocumentsPresenter presenter(home.filePath("Documents"), opener);
  EXPECT_THROW(presenter.Present(Titled(u"Chart")), std::runtime_error);
  EXPECT_TRUE(opener.opened.empty());
}

}  // namespace
}  // namespace quorvane::app::qt
