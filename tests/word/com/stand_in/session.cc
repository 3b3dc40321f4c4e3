#include "tests/word/com/stand_in/session.h"

#include <array>
#include <fstream>
#include <string>

#include "base/utf.h"
#include "tests/word/com/stand_in/live_objects.h"
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

int Number(const wchar_t* name) {
  const std::wstring value = Variable(name);
  return value.empty() ? 0 : std::stoi(value);
}

}  // namespace

Session::Session()
    : failAt_(Number(kFailAtVariable)),
      rejectFirst_(Number(kRejectVariable)),
      exitAt_(Number(kExitAtVariable)),
      deferException_(!Variable(kDeferVariable).empty()) {
  const std::wstring delay = Variable(kDelayVariable);
  if (const std::size_t colon = delay.find(L':'); colon != std::wstring::npos) {
    delayAt_ = std::stoi(delay.substr(0, colon));
    delayMilliseconds_ = std::stoi(delay.substr(colon + 1));
  }
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

HRESULT Session::Admit() {
  if (++calls_ <= rejectFirst_) return RPC_E_CALL_REJECTED;
  ++admitted_;
  if (admitted_ == exitAt_) EndServerAbruptly();
  if (admitted_ == delayAt_) Sleep(static_cast<DWORD>(delayMilliseconds_));
  return S_OK;
}

void AppendToLog(const std::string& line) {
  const std::filesystem::path log = Variable(kLogVariable);
  if (!log.empty()) std::ofstream(log, std::ios::app | std::ios::binary) << line << '\n';
}

void Session::CountOperation() {
  if (++operations_ == failAt_) {
    throw word::AutomationError("Stand-in failure at operation " + std::to_string(operations_));
  }
}

}  // namespace quorvane::test_support::stand_in
