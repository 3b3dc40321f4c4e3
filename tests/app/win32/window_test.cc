// The Win32 main window in this process over stand-in services: its design,
// and Form1's procedures reached through real window messages.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/win32/cursor_picture.h"
#include "app/win32/form1_window.h"
#include "app/win32/wide.h"
#include "app/win32/windows_services.h"
#include "tests/app/window_fakes.h"

namespace quorvane::app::win32 {
namespace {

using test_support::Form1Fakes;
using ::testing::ElementsAre;
using ::testing::Pair;

// Raises a hook at each creation, as COM's message pumping lets window
// messages through while Word starts.
struct HookedFactory final : word::ObjectFactory {
  explicit HookedFactory(word::ObjectFactory& wrapped) : inner(wrapped) {}
  word::DispatchPtr CreateByClass(std::string_view classId, std::string_view interfaceId) override {
    if (hook) hook();
    return inner.CreateByClass(classId, interfaceId);
  }
  word::DispatchPtr CreateByProgId(std::string_view progId) override {
    if (hook) hook();
    return inner.CreateByProgId(progId);
  }
  word::ObjectFactory& inner;
  std::function<void()> hook;
};

std::filesystem::path BesideTest(const wchar_t* name) {
  return std::filesystem::path(Wide(ProgramFolder())) / name;
}

struct WindowFixture : Form1Fakes {
  WindowFixture() {
    std::filesystem::copy_file(BesideTest(L"HAND-M.CUR"), folder.path() / L"HAND-M.CUR");
    factory = &hooked;
  }
  HookedFactory hooked{word.factory};
};

class Form1WindowTest : public ::testing::Test {
 protected:
  HWND Control(ControlId id) const { return window_.Control(id); }
  RECT ClientPlace(HWND control) const {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }

  WindowFixture fakes_;
  Form1Window window_{fakes_.Services(), fakes_.ProgramFolder()};
};

TEST_F(Form1WindowTest, ShowsTheDesignAtNinetySixDpi) {
  window_.Start();
  ASSERT_EQ(GetDpiForWindow(window_.Handle()), 96u);
  ASSERT_TRUE(IsWindowVisible(window_.Handle()));

  wchar_t caption[64]{};
  GetWindowTextW(window_.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Quorvane Software");
  RECT client{};
  GetClientRect(window_.Handle(), &client);
  EXPECT_EQ(client.right, 536);
  EXPECT_EQ(client.bottom, 122);
  const LONG style = GetWindowLongW(window_.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  // Centred on the work area.
  RECT frame{}, area{};
  GetWindowRect(window_.Handle(), &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR(frame.left + frame.right, area.left + area.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, area.top + area.bottom, 1);

  struct Expected {
    ControlId id;
    const wchar_t* className;
    LONG kindStyle;
    const wchar_t* caption;
    RECT place;
    LONG fontHeight;
  };
  const Expected expected[] = {
      {ControlId::Text1, L"Edit", 0, L"Text1", {56, 146, 161, 179}, -12},
      {ControlId::Option1,
       L"Button",
       BS_RADIOBUTTON,
       L"Create Portrait Chart",
       {24, 28, 225, 45},
       -12},
      {ControlId::Option2,
       L"Button",
       BS_RADIOBUTTON,
       L"Create Landscape Chart",
       {24, 51, 225, 68},
       -12},
      {ControlId::PushButton1, L"Button", BS_PUSHBUTTON, L"Start Creating", {8, 88, 528, 115}, -15},
      {ControlId::Frame1, L"Button", BS_GROUPBOX, L"Page Option", {8, 8, 528, 79}, -12},
  };
  for (const Expected& control : expected) {
    SCOPED_TRACE(testing::Message() << control.caption);
    const HWND handle = Control(control.id);
    wchar_t text[64]{}, className[32]{};
    GetWindowTextW(handle, text, 64);
    GetClassNameW(handle, className, 32);
    EXPECT_STREQ(text, control.caption);
    EXPECT_STREQ(className, control.className);
    EXPECT_EQ(GetWindowLongW(handle, GWL_STYLE) & BS_TYPEMASK, control.kindStyle);
    const RECT place = ClientPlace(handle);
    EXPECT_EQ(place.left, control.place.left);
    EXPECT_EQ(place.top, control.place.top);
    EXPECT_EQ(place.right, control.place.right);
    EXPECT_EQ(place.bottom, control.place.bottom);
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)),
                           sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, control.fontHeight);
  }
}

TEST_F(Form1WindowTest, TextOneHoldsTheFocusAndTabGoesInTheDesignsOrder) {
  window_.Start();
  EXPECT_EQ(GetFocus(), Control(ControlId::Text1));
  // The stacking order is the tab order, the frame last.
  std::vector<HWND> stacked;
  for (HWND at = GetWindow(window_.Handle(), GW_CHILD); at != nullptr;
       at = GetWindow(at, GW_HWNDNEXT)) {
    stacked.push_back(at);
  }
  EXPECT_THAT(stacked, ElementsAre(Control(ControlId::Text1), Control(ControlId::Option1),
                                   Control(ControlId::Option2), Control(ControlId::PushButton1),
                                   Control(ControlId::Frame1)));
  // Tab enters the option pair at the selected one, as dialogs do.
  HWND at = Control(ControlId::Text1);
  std::vector<HWND> order;
  for (int i = 0; i < 3; ++i) order.push_back(at = GetNextDlgTabItem(window_.Handle(), at, FALSE));
  EXPECT_THAT(order, ElementsAre(Control(ControlId::Option1), Control(ControlId::PushButton1),
                                 Control(ControlId::Text1)));
}

TEST_F(Form1WindowTest, TheWindowCarriesTheProgramsFourImageIcon) {
  window_.Start();
  EXPECT_NE(SendMessageW(window_.Handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(window_.Handle(), WM_GETICON, ICON_SMALL, 0), 0);

#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
#pragma pack(pop)
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kIconResource), RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_EQ(group[2], 4);
  std::vector<std::pair<int, int>> images;
  const auto* entries = reinterpret_cast<const GroupEntry*>(group + 3);
  for (int i = 0; i < 4; ++i) {
    images.emplace_back(entries[i].width == 0 ? 256 : entries[i].width, entries[i].bitCount);
  }
  EXPECT_THAT(images, ElementsAre(Pair(32, 24), Pair(48, 32), Pair(128, 32), Pair(256, 32)));
}

TEST_F(Form1WindowTest, MouseMovesOverEachPartSetTheWindowsPointer) {
  window_.Start();
  ASSERT_TRUE(fakes_.boxes.Reports().empty()) << "the hand cursor was refused";
  const HWND form = window_.Handle();
  const struct {
    HWND over;
    int pointer;
  } moves[] = {
      {Control(ControlId::PushButton1), kPointerCustom}, {Control(ControlId::Text1), 0},
      {Control(ControlId::PushButton1), kPointerCustom}, {Control(ControlId::Option1), 0},
      {Control(ControlId::PushButton1), kPointerCustom}, {Control(ControlId::Option2), 0},
      {Control(ControlId::PushButton1), kPointerCustom}, {Control(ControlId::Frame1), 0},
      {Control(ControlId::PushButton1), kPointerCustom}, {form, 0},
  };
  for (const auto& move : moves) {
    SendMessageW(move.over, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(window_.Procedures().MousePointer(), move.pointer);
  }

  // Over the button, the hand loaded from the program's folder shows.
  const HWND button = Control(ControlId::PushButton1);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const auto* hand = dynamic_cast<const CursorPicture*>(window_.Procedures().MouseIcon());
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(GetCursor(), hand->Handle());

  // The frame takes the pointer itself instead of passing it to the window.
  RECT frame{};
  GetWindowRect(Control(ControlId::Frame1), &frame);
  EXPECT_EQ(SendMessageW(Control(ControlId::Frame1), WM_NCHITTEST, 0,
                         MAKELPARAM(frame.right - 20, frame.bottom - 6)),
            HTCLIENT);
}

TEST_F(Form1WindowTest, ClickingTheLandscapeOptionStoresBothChoices) {
  window_.Start();
  fakes_.settings.writes.clear();
  SendMessageW(Control(ControlId::Option2), BM_CLICK, 0, 0);
  EXPECT_THAT(fakes_.settings.writes,
              ElementsAre(Pair(u"Option1", u"False"), Pair(u"Option2", u"True")));
  EXPECT_EQ(SendMessageW(Control(ControlId::Option1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // A click on the option already selected changes nothing.
  SendMessageW(Control(ControlId::Option2), BM_CLICK, 0, 0);
  EXPECT_EQ(fakes_.settings.writes.size(), 2u);
}

TEST_F(Form1WindowTest, StartCreatingWaitsBusyThroughWordsMessagesThenSaysDone) {
  window_.Start();
  const HWND button = Control(ControlId::PushButton1);
  int pressesDuringCreation = 0;
  fakes_.hooked.hook = [&] {
    if (pressesDuringCreation++ > 0) return;
    // While Word starts: a second press, a move over the button, the pointer.
    SendMessageW(button, BM_CLICK, 0, 0);
    SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(window_.Procedures().MousePointer(), kPointerWait);
    SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  };
  fakes_.boxes.shown.clear();
  SendMessageW(button, BM_CLICK, 0, 0);

  EXPECT_EQ(fakes_.word.presenter->documents.size(), 1u);
  ASSERT_EQ(fakes_.boxes.shown.size(), 1u);
  EXPECT_EQ(fakes_.boxes.shown[0].text, u"Done.");
  EXPECT_EQ(fakes_.boxes.shown[0].title, u"Quorvane");
  EXPECT_FALSE(window_.Procedures().Busy());
  EXPECT_EQ(window_.Procedures().MousePointer(), kPointerDefault);
}

TEST_F(Form1WindowTest, ClosingEndsTheProgram) {
  window_.Start();
  SendMessageW(window_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(fakes_.exit.ends, 1);
}

TEST(CursorPictureTest, LoadsCursorFilesAndRefusesOtherFiles) {
  EXPECT_NE(CursorPicture(BesideTest(L"HAND-M.CUR").u16string()).Handle(), nullptr);
  const test_support::ScratchFolder folder;
  ASSERT_TRUE(test_support::WriteFile(folder.path() / L"not.cur", "a cursor, in words"));
  for (const auto& path : {folder.path() / L"not.cur", folder.path() / L"missing.cur"}) {
    EXPECT_THROW(CursorPicture(path.u16string()), std::runtime_error) << path;
  }
}

}  // namespace
}  // namespace quorvane::app::win32
