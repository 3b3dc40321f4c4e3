#include "tests/word/com/stand_in/session.h"

#include <array>
#include <string>

#include "base/utf.h"
#include "word/com/com_error.h"
#include "word/docx/writer.h"

namespace quorvane::test_support::stand_in {
namespace {

std::wstring Variable(const wchar_t* name) {
  std::array<wchar_t, 1024> buffer{};
  const DWORD length = GetEnvironmentVariableW(name, buffer.data(), buffer.size());
  if (length == 0 || length >= buffer.size()) return {};
  return std::wstring(buffer.data(), length);
}

// Writes each document made visible as document1.docx, document2.docx, ...
// into the folder the test named; never over an existing file.
class FolderPresenter final : public word::embedded::DocumentPresenter {
 public:
  explicit FolderPresenter(std::filesystem::path folder) : folder_(std::move(folder)) {}
  void Present(const word::embedded::Document& document) override {
    const std::wstring name = L"document" + std::to_wstring(++written_) + L".docx";
    word::docx::SaveDocx(document, folder_ / name, false);
  }

 private:
  std::filesystem::path folder_;
  int written_ = 0;
};

}  // namespace

Session::Session() {
  const std::wstring failAt = Variable(kFailAtVariable);
  if (!failAt.empty()) failAt_ = std::stoi(failAt);
  const std::wstring documents = Variable(kDocumentsVariable);
  if (!documents.empty()) presenter_ = std::make_shared<FolderPresenter>(documents);
}

DISPID Session::IdOf(std::u16string_view name) {
  const std::string utf8 = base::ToUtf8(name);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (word::SameName(names_[i], utf8)) return static_cast<DISPID>(i + 1);
  }
  names_.push_back(utf8);
  return static_cast<DISPID>(names_.size());
}

const std::string& Session::NameOf(DISPID id) const {
  if (id < 1 || static_cast<std::size_t>(id) > names_.size()) {
    throw word::com::ComError(DISP_E_MEMBERNOTFOUND);
  }
  return names_[static_cast<std::size_t>(id) - 1];
}

void Session::CountOperation() {
  if (++operations_ == failAt_) {
    throw word::AutomationError("Stand-in failure at operation " + std::to_string(operations_));
  }
}

}  // namespace quorvane::test_support::stand_in
