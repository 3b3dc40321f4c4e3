#ifndef QUORVANE_APP_QT_DOCUMENTS_PRESENTER_H_
#define QUORVANE_APP_QT_DOCUMENTS_PRESENTER_H_

// Where a chart document reaches the user of the window program: a new .docx
// file in their Documents folder, opened with the desktop's program for it.

#include <QString>
#include <filesystem>
#include <functional>

#include "app/form1_services.h"
#include "word/embedded/word_application.h"

namespace quorvane::app::qt {

// The file name for the document's header title and orientation:
// "<title> - Portrait.docx" (or "- Landscape") for the first copy,
// "<title> - Portrait (n).docx" for the nth. Characters that no file name may
// hold become blanks; an empty title is "Document".
QString DocumentFileName(const word::embedded::Document& document, int copy);

class DocumentsPresenter final : public word::embedded::DocumentPresenter {
 public:
  // Writes the document to a path that must not exist yet; throws if it does
  // or if the file cannot be written.
  using Writer = std::function<void(const word::embedded::Document&, const std::filesystem::path&)>;

  // The folder, as the bytes the system names it; throws when there is none.
  using Folder = std::function<std::filesystem::path()>;

  // `opener` and `boxes` must outlive the presenter.
  DocumentsPresenter(Folder folder, Opener& opener, MessageBoxes& boxes,
                     Writer writer = SaveNewDocx);

  // Makes the folder when missing, writes under the first free name (one
  // that no directory entry of any kind holds, not even a dangling link) and
  // opens the file. Throws std::runtime_error when the file cannot be
  // written, saying why. A saved file that cannot be opened is no failure of
  // the program: a warning says where it is and why it did not open.
  void Present(const word::embedded::Document& document) override;

  static void SaveNewDocx(const word::embedded::Document& document,
                          const std::filesystem::path& path);

 private:
  Folder folder_;
  Opener& opener_;
  MessageBoxes& boxes_;
  Writer writer_;
};

}  // namespace quorvane::app::qt

#endif  // QUORVANE_APP_QT_DOCUMENTS_PRESENTER_H_
