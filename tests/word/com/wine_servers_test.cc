// The backend against automation servers every Wine prefix has. They resolve
// a get's surplus arguments through the default member themselves, so the
// backend's retry is exercised against the stand-in Word instead.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/failure_of.h"
#include "word/com/apartment.h"
#include "word/com/com_factory.h"

namespace quorvane::word::com {
namespace {

using quorvane::test_support::FailureOf;

class WineServersTest : public ::testing::Test {
 protected:
  Object Create(std::string_view progId) { return Object(factory.CreateByProgId(progId)); }

  Apartment apartment;
  ComFactory factory{std::make_shared<BusyPolicy>()};
};

TEST_F(WineServersTest, ValuesKeepTheirKindThroughAServer) {
  const Object dictionary = Create("Scripting.Dictionary");
  const Value values[] = {
      I2(-7), I4(123456), R4(21.6f), R8(0.1), Bool(true), Bool(false), Bstr(u"T\u00e9xt\t\u20ac"),
      Value()};
  for (const Value& value : values) {
    dictionary.Call("RemoveAll");
    dictionary.Call("Add", Bstr(u"k"), value);
    EXPECT_EQ(dictionary.GetValue("Item", Bstr(u"k")), value) << KindName(value.kind());
  }
  // The server sees the single a reference points at.
  dictionary.Call("Add", Bstr(u"ref"), R4Ref(8.5f));
  EXPECT_EQ(dictionary.GetValue("Item", Bstr(u"ref")).ToNumber(), 8.5);
}

TEST_F(WineServersTest, ArgumentsReachTheirParameters) {
  const Object dictionary = Create("Scripting.Dictionary");
  dictionary.Call("Add", Bstr(u"first"), I4(1));
  dictionary.Call("Add", Named("Key", Bstr(u"second")), Named("Item", I4(2)));
  dictionary.Call("Add", Named("item", I4(3)), Named("key", Bstr(u"third")));
  EXPECT_EQ(dictionary.GetValue("Item", Bstr(u"first")), I4(1));
  EXPECT_EQ(dictionary.GetValue("Item", Bstr(u"second")), I4(2));
  EXPECT_EQ(dictionary.GetValue("Item", Bstr(u"third")), I4(3));
  EXPECT_EQ(dictionary.GetValue("COUNT"), I4(3));
}

TEST_F(WineServersTest, ObjectResultsAreObjects) {
  const Object regExp = Create("VBScript.RegExp");
  regExp.Put("Pattern", Bstr(u"[0-9]+"));
  regExp.Put("Global", Bool(true));
  EXPECT_EQ(regExp.GetValue("Test", Bstr(u"ab12")), Bool(true));
  const Object matches = regExp.Get("Execute", Bstr(u"a1b22c333"));
  EXPECT_EQ(matches.GetValue("Count"), I4(3));
  EXPECT_EQ(matches.Get("Item", I4(2)).GetValue("Value"), Bstr(u"333"));
}

TEST_F(WineServersTest, FailuresAreDescribedInVisualBasicsWords) {
  const Object dictionary = Create("Scripting.Dictionary");
  const Object regExp = Create("VBScript.RegExp");
  struct Case {
    std::string description;
    std::function<void()> operation;
  };
  const Case cases[] = {
      {"Object doesn't support this property or method", [&] { dictionary.GetValue("Nonesuch"); }},
      {"Named argument not found",
       [&] { dictionary.Call("Add", Named("Nonesuch", I4(1)), Named("Item", I4(1))); }},
      {"Wrong number of arguments or invalid property assignment", [&] { regExp.Call("Test"); }},
      {"Overflow", [&] { dictionary.Put("CompareMode", R8(1e20)); }},
      {"Type mismatch", [&] { regExp.Put("Global", Bstr(u"not a Boolean")); }},
      {"ActiveX component can't create object", [&] { factory.CreateByProgId("Nonesuch.Server"); }},
      {"ActiveX component can't create object",
       [&] {
         factory.CreateByClass("{01234567-89AB-CDEF-0123-456789ABCDEF}",
                               "{00020400-0000-0000-C000-000000000046}");
       }},
  };
  for (const Case& c : cases) EXPECT_EQ(FailureOf(c.operation), c.description);
}

}  // namespace
}  // namespace quorvane::word::com
