// The Windows skin control's members and what they refuse.

#include "app/win32/skin/drawn_skin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/beside_program.h"
#include "tests/app/window_fakes.h"

namespace quorvane::app::win32 {
namespace {

using word::Value;

std::u16string U16(const std::filesystem::path& path) {
  return path.u16string();
}

TEST(DrawnSkinTest, RefusesWhatItCannotLoadOrApply) {
  test_support::ScratchFolder scratch;
  const auto good = scratch.path() / "good.cjs";
  const auto broken = scratch.path() / "broken.cjs";
  const auto huge = scratch.path() / "huge.cjs";
  ASSERT_TRUE(test_support::WriteFile(good, "QWidget { color: #123456 }"));
  ASSERT_TRUE(test_support::WriteFile(broken, "QWidget { \xff }"));
  ASSERT_TRUE(test_support::WriteFile(huge, "QWidget {}" + std::string(kMaxSkinFileBytes, ' ')));
  const auto load = [](const std::filesystem::path& p) {
    return std::vector<Value>{word::Bstr(U16(p)), word::Bstr(u"")};
  };
  DrawnSkin skin;
  const struct {
    int id;
    InvokeKind kind;
    std::vector<Value> args;
    const char* why;
  } kRefused[] = {
      {4, InvokeKind::Get, {}, "Member not found."},
      {3, InvokeKind::Get, {}, "Member not found."},
      {1, InvokeKind::Put, {}, "Invalid number of parameters."},
      {2, InvokeKind::Method, {word::Bstr(u"one argument")}, "Invalid number of parameters."},
      {3, InvokeKind::Method, {word::I4(1)}, "No skin is loaded."},
      {2, InvokeKind::Method, load(scratch.path() / "missing.cjs"), "missing.cjs"},
      {2, InvokeKind::Method, load(scratch.path()), "not a regular file"},
      {2, InvokeKind::Method, load(huge), "larger than 1 MiB"},
      {2, InvokeKind::Method, load(broken), "is not UTF-8 text"},
  };
  for (const auto& c : kRefused) {
    try {
      skin.Invoke(c.id, c.kind, c.args);
      ADD_FAILURE() << "accepted member " << c.id << " " << c.why;
    } catch (const word::AutomationError& refused) {
      EXPECT_NE(std::string(refused.what()).find(c.why), std::string::npos) << refused.what();
    }
  }
  skin.Invoke(2, InvokeKind::Method, load(good));
  const Value noWindow[] = {word::I4(0x7ffffff0)};
  EXPECT_THROW(skin.Invoke(3, InvokeKind::Method, noWindow), word::AutomationError);
}

}  // namespace
}  // namespace quorvane::app::win32
