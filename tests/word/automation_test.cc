#include "word/automation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/failure_of.h"
#include "word/failure_texts.h"

namespace quorvane::word {
namespace {

using quorvane::test_support::FailureOf;

// Logs each operation as "op name [arg]...", an argument as "name=KIND"
// with its value; gets and calls answer `result`.
class FakeObject final : public Dispatch {
 public:
  Value Get(std::string_view name, std::span<const Arg> args) override {
    Note("get", name, args);
    return result;
  }
  void Put(std::string_view name, const Value& value) override {
    const Arg arg{{}, value};
    Note("put", name, std::span(&arg, 1));
  }
  Value Call(std::string_view name, std::span<const Arg> args) override {
    Note("call", name, args);
    return result;
  }

  Value result;
  std::vector<std::string> log;
  std::vector<Arg> lastArgs;

 private:
  void Note(std::string_view op, std::string_view name, std::span<const Arg> args) {
    std::string line = std::string(op) + ' ' + std::string(name);
    for (const Arg& arg : args)
      line += " " + arg.name + "=" + std::string(KindName(arg.value.kind()));
    log.push_back(line);
    lastArgs.assign(args.begin(), args.end());
  }
};

TEST(Value, StrictAccessorsRefuseOtherKinds) {
  EXPECT_EQ(R4Ref(8.5f).r4(), 8.5f);  // a by-reference single reads as one
  EXPECT_EQ(FailureOf([] { (void)I2(1).i4(); }), "Type mismatch: expected I4, got I2");
  EXPECT_EQ(FailureOf([] { (void)R8(1).r4(); }), "Type mismatch: expected R4, got R8");
  EXPECT_EQ(FailureOf([] { (void)R4Ref(1).r8(); }), "Type mismatch: expected R8, got R4&");
  EXPECT_EQ(FailureOf([] { (void)I2(-1).boolean(); }), "Type mismatch: expected BOOL, got I2");
  EXPECT_EQ(FailureOf([] { (void)Value().bstr(); }), "Type mismatch: expected BSTR, got EMPTY");
  EXPECT_EQ(FailureOf([] { (void)Bstr(u"x").object(); }),
            "Type mismatch: expected DISPATCH, got BSTR");
}

TEST(Value, EqualityIncludesTheKind) {
  EXPECT_EQ(R4(1), R4(1));
  EXPECT_NE(R4(1), R4Ref(1));
  EXPECT_NE(I2(1), I4(1));
  EXPECT_NE(Bool(true), I2(-1));
  EXPECT_NE(Value(), Bstr(u""));
}

TEST(Value, NumbersCoerceFromEveryNumericKind) {
  EXPECT_EQ(I2(-3).ToNumber(), -3);
  EXPECT_EQ(I4(100000).ToNumber(), 100000);
  EXPECT_EQ(R4(0.5f).ToNumber(), 0.5);
  EXPECT_EQ(R4Ref(8.5f).ToNumber(), 8.5);
  EXPECT_EQ(R8(0.3).ToNumber(), 0.3);
  EXPECT_EQ(Bool(true).ToNumber(), -1);
  EXPECT_EQ(Bool(false).ToNumber(), 0);

  EXPECT_TRUE(Bool(true).ToBool());
  EXPECT_TRUE(R8(0.1).ToBool());
  EXPECT_TRUE(I4(9999998).ToBool());
  EXPECT_FALSE(I2(0).ToBool());

  for (const Value& v : {Value(), Bstr(u"1"), Value::Object(nullptr)}) {
    EXPECT_EQ(FailureOf([&] { (void)v.ToNumber(); }).rfind("Type mismatch: expected a number", 0),
              0u);
    EXPECT_EQ(FailureOf([&] { (void)v.ToBool(); }).rfind("Type mismatch", 0), 0u);
  }
}

TEST(Value, ToInt32RoundsHalfToEvenWithinRange) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    Value in;
    std::int32_t out;
  } cases[] = {
      {R8(0.5), 0},
      {R8(1.5), 2},
      {R8(2.5), 2},
      {R8(-0.5), 0},
      {R8(-1.5), -2},
      {R8(-2.5), -2},
      {R8(2.4999), 2},
      {R8(2.5001), 3},
      {R4(8.5f), 8},
      {R4Ref(9.5f), 10},
      {I2(-32768), -32768},
      {Bool(true), -1},
      {R8(2147483647.4), kMax},
      {R8(-2147483648.5), kMin},
      {I4(kMin), kMin},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(in.ToInt32(), out) << in.ToNumber();

  const Value overflows[] = {
      R8(2147483647.5),
      R8(-2147483649.0),
      R8(1e300),
      R4(3e9f),
      R8(std::numeric_limits<double>::infinity()),
      R8(std::nan("")),
  };
  for (const Value& v : overflows) {
    EXPECT_EQ(FailureOf([&] { (void)v.ToInt32(); }),
              "Overflow: the value does not fit a 32-bit integer")
        << v.ToNumber();
  }
}

TEST(SameName, IgnoresCaseOfLettersOnly) {
  const struct {
    std::string_view a, b;
    bool same;
  } cases[] = {
      {"Visible", "visible", true},
      {"ADD", "add", true},
      {"quit", "Quit", true},
      {"", "", true},
      {"Font_1", "FONT_1", true},
      {"add", "adds", false},
      {"Size", "Sise", false},
      {"@", "`", false},
      {"[", "{", false},
      {"Z", "z", true},
      {"a", "A ", false},
  };
  for (const auto& [a, b, same] : cases) {
    EXPECT_EQ(SameName(a, b), same) << a << " / " << b;
    EXPECT_EQ(SameName(b, a), same) << b << " / " << a;
  }
}

TEST(Object, EmptyReferenceThrowsOnEveryOperation) {
  const Object none;
  EXPECT_FALSE(none);
  EXPECT_EQ(FailureOf([&] { (void)none.GetValue("Visible"); }),
            std::string(failure_text::kObjectNotSet));
  EXPECT_EQ(FailureOf([&] { none.Put("Visible", Bool(true)); }),
            std::string(failure_text::kObjectNotSet));
  EXPECT_EQ(FailureOf([&] { (void)none.Call("quit"); }), std::string(failure_text::kObjectNotSet));
}

TEST(Object, RequiresAnObjectValue) {
  EXPECT_EQ(FailureOf([] { (void)Object{I4(1)}; }), "Object required");
  EXPECT_EQ(FailureOf([] { (void)Object{Value()}; }), "Object required");
  EXPECT_EQ(FailureOf([] { (void)Object{Value::Object(nullptr)}; }), "Object required");

  auto fake = std::make_shared<FakeObject>();
  fake->result = R4(612);
  EXPECT_EQ(FailureOf([&] { (void)Object(fake).Get("PageWidth"); }), "Object required");

  auto child = std::make_shared<FakeObject>();
  fake->result = Value::Object(child);
  EXPECT_EQ(Object(fake).Get("ActiveDocument").dispatch(), child);
}

TEST(Object, ArgumentsReachTheObjectAsWritten) {
  auto fake = std::make_shared<FakeObject>();
  const Object object(fake);
  (void)object.Call("add");
  (void)object.GetValue("Borders", I4(-1));
  (void)object.Call("EndKey", Named("Extend", I4(1)), Named("Unit", I4(5)));
  (void)object.Call("Mixed", I2(1), Named("Unit", I4(5)), R4Ref(0.3f));
  object.Put("name", Bstr(u"Arial"));
  EXPECT_EQ(fake->log, (std::vector<std::string>{"call add", "get Borders =I4",
                                                 "call EndKey Extend=I4 Unit=I4",
                                                 "call Mixed =I2 Unit=I4 =R4&", "put name =BSTR"}));

  (void)object.Call("Mixed", I2(1), Named("Unit", I4(5)), R4Ref(0.3f));
  EXPECT_EQ(fake->lastArgs, (std::vector<Arg>{{"", I2(1)}, {"Unit", I4(5)}, {"", R4Ref(0.3f)}}));

  fake->result = R4(21.6f);
  EXPECT_EQ(object.Call("InchesToPoints", R8(0.3)), R4(21.6f));
}

}  // namespace
}  // namespace quorvane::word
