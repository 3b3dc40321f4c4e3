// quorvane.exe itself on the test display: with the stand-in Word registered
// it makes the chart through COM and says "Done."; without any Word it shows
// the Word check's message once and ends without showing its window.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/win32/form1_window.h"
#include "tests/app/win32/running_program.h"
#include "tests/app/win32/settings_key_guard.h"
#include "tests/word/com/stand_in_word.h"
#include "word/word_check.h"

namespace quorvane::test_support {
namespace {

namespace fs = std::filesystem;

// The program alone in a folder of its own, with the hand cursor and without
// a skin, whose control is tested on its own.
struct ProgramFolder {
  ProgramFolder() {
    for (const wchar_t* name : {L"quorvane.exe", L"HAND-M.CUR"}) {
      fs::copy_file(fs::path(QUORVANE_PROGRAM_FOLDER) / name, folder.path() / name);
    }
  }
  fs::path Program() const { return folder.path() / L"quorvane.exe"; }
  ScratchFolder folder{L"quorvane-program"};
};

fs::path Screenshots() {
  const fs::path folder = QUORVANE_SCREENSHOT_FOLDER;
  fs::create_directories(folder);
  return folder;
}

std::string Prefix(const fs::path& file, std::size_t length) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(length, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(length));
  return bytes;
}

TEST(ProgramTest, StartCreatingMakesTheChartInWordAndSaysDone) {
  const SettingsKeyGuard settings;
  const StandInWord word;
  const ScratchFolder documents(L"quorvane-documents");
  const ScopedVariable presented(L"QUORVANE_STANDIN_DOCUMENTS", documents.path().wstring());
  const ProgramFolder folder;

  const RunningProgram program(folder.Program());
  const HWND window = program.WaitForWindow(app::win32::kWindowClass, L"Quorvane Software");
  ASSERT_NE(window, nullptr) << "the main window did not show";
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 122);
  // A first start: the portrait option, restored and written back.
  const HWND option1 = GetDlgItem(window, 101);
  const HWND option2 = GetDlgItem(window, 102);
  const HWND button = GetDlgItem(window, 103);
  EXPECT_EQ(SendMessageW(option1, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option1"), L"True");
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option2"), L"False");
  EXPECT_TRUE(SaveScreenshot(window, Screenshots() / L"window.bmp"));

  SendMessageW(option2, BM_CLICK, 0, 0);
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option1"), L"False");
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option2"), L"True");

  // Posted: the press returns only once "Done." is closed.
  PostMessageW(button, BM_CLICK, 0, 0);
  const HWND done = program.WaitForWindow(L"#32770", L"Quorvane");
  ASSERT_NE(done, nullptr) << "no \"Done.\" box";
  EXPECT_EQ(MessageBoxText(done), L"Done.");
  EXPECT_EQ(GetWindow(done, GW_OWNER), window);
  EXPECT_TRUE(SaveScreenshot(done, Screenshots() / L"done.bmp"));
  PostMessageW(done, WM_COMMAND, IDOK, 0);

  // Word's own document, made visible: the stand-in writes it out then.
  EXPECT_EQ(Prefix(documents.path() / L"document1.docx", 2), "PK");
  EXPECT_FALSE(fs::exists(documents.path() / L"document2.docx"));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForEnd(), 0);
}

// The stand-in in a process of its own, as Word is. Busy at first, it is
// waited for and the chart made, though the Word that the start-up check
// told to quit is still ending when the chart is asked for; ended mid-run,
// its failure is reported as any failing Word call is, and the program goes
// on.
TEST(ProgramTest, WordInAProcessOfItsOwnIsWaitedForAndItsEndReported) {
  for (const bool ends : {false, true}) {
    SCOPED_TRACE(ends ? "ended mid-run" : "rejected at first");
    const SettingsKeyGuard settings;
    const StandInWord word(StandInHost::kLocalServer);
    const ScratchFolder documents(L"quorvane-documents");
    const ScopedVariable presented(L"QUORVANE_STANDIN_DOCUMENTS", documents.path().wstring());
    const ScopedVariable knob(ends ? L"QUORVANE_STANDIN_EXIT_AT" : L"QUORVANE_STANDIN_REJECT",
                              ends ? L"30" : L"3");
    const ScopedVariable ending(L"QUORVANE_STANDIN_LINGER", L"3000");
    const ProgramFolder folder;

    const RunningProgram program(folder.Program());
    const HWND window = program.WaitForWindow(app::win32::kWindowClass, L"Quorvane Software");
    ASSERT_NE(window, nullptr) << "the main window did not show; shown:" << program.Shown();
    PostMessageW(GetDlgItem(window, 103), BM_CLICK, 0, 0);
    if (ends) {
      const HWND report = program.WaitForWindow(L"#32770", L"Application Error");
      ASSERT_NE(report, nullptr) << "no error report; shown:" << program.Shown();
      EXPECT_NE(MessageBoxText(report).find(L"at line 142"), std::wstring::npos);
      PostMessageW(report, WM_COMMAND, IDOK, 0);
    }
    const HWND done = program.WaitForWindow(L"#32770", L"Quorvane");
    ASSERT_NE(done, nullptr) << "no \"Done.\" box; shown:" << program.Shown();
    PostMessageW(done, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(fs::exists(documents.path() / L"document1.docx"), !ends);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForEnd(), 0);
  }
}

TEST(ProgramTest, WithoutWordTheCheckSpeaksOnceAndTheProgramEnds) {
  const SettingsKeyGuard settings;
  const RegistryLock noWordRegisteredMeanwhile;
  ASSERT_FALSE(WordRegistered()) << "these tests need a prefix without Word";
  const ProgramFolder folder;

  const RunningProgram program(folder.Program());
  const HWND box = program.WaitForWindow(L"#32770", L"Quorvane");
  ASSERT_NE(box, nullptr) << "no message from the Word check";
  const std::u16string expected = word::WordUnavailableMessage();
  EXPECT_EQ(MessageBoxText(box), std::wstring(expected.begin(), expected.end()));
  EXPECT_EQ(program.AnyOtherVisibleWindow(box), nullptr) << "something shows beside the message";
  PostMessageW(box, WM_COMMAND, IDOK, 0);

  EXPECT_EQ(program.WaitForEnd(), 0);
  // The load had restored the options before the check.
  EXPECT_EQ(SettingsKeyGuard::Stored(L"Option1"), L"True");
}

}  // namespace
}  // namespace quorvane::test_support
