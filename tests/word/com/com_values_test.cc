#include "word/com/com_values.h"

#include <gtest/gtest.h>

#include "tests/support/failure_of.h"

namespace quorvane::word::com {
namespace {

using quorvane::test_support::FailureOf;

DispatchPtr NoObject(IDispatch*) {
  return nullptr;
}
ComPtr<IDispatch> NoDispatch(const DispatchPtr&) {
  return {};
}

TEST(ComValuesTest, EveryKindGoesOverAndBack) {
  struct Case {
    Value value;
    VARTYPE type;
  };
  const Case cases[] = {
      {Value(), VT_EMPTY},
      {I2(-32768), VT_I2},
      {I4(2147483647), VT_I4},
      {R4(21.6f), VT_R4},
      {R8(0.3), VT_R8},
      {Bool(true), VT_BOOL},
      {Bool(false), VT_BOOL},
      {Bstr(u"Courier New \u00e9\u20ac"), VT_BSTR},
      {Bstr(std::u16string(u"a\0b", 3)), VT_BSTR},
      {Bstr(u""), VT_BSTR},
  };
  for (const Case& c : cases) {
    VariantHolder variant;
    ToVariant(c.value, variant.get(), nullptr, NoDispatch);
    EXPECT_EQ(V_VT(&variant.get()), c.type) << KindName(c.value.kind());
    EXPECT_EQ(ToValue(variant.get(), NoObject), c.value) << KindName(c.value.kind());
  }
}

TEST(ComValuesTest, TrueIsMinusOne) {
  VariantHolder variant;
  ToVariant(Bool(true), variant.get(), nullptr, NoDispatch);
  EXPECT_EQ(V_BOOL(&variant.get()), -1);
  // Any non-zero VARIANT_BOOL reads as true.
  V_BOOL(&variant.get()) = 1;
  EXPECT_EQ(ToValue(variant.get(), NoObject), Bool(true));
}

TEST(ComValuesTest, SingleByReferencePointsAtItsSlot) {
  VariantArray block(2);
  ToVariant(R4Ref(8.5f), block[1], block.R4Slot(1), NoDispatch);
  ASSERT_EQ(V_VT(&block[1]), VT_R4 | VT_BYREF);
  EXPECT_EQ(V_R4REF(&block[1]), block.R4Slot(1));
  EXPECT_EQ(*block.R4Slot(1), 8.5f);
  EXPECT_EQ(ToValue(block[1], NoObject), R4Ref(8.5f));

  // Without a slot it goes by value.
  VariantHolder plain;
  ToVariant(R4Ref(8.5f), plain.get(), nullptr, NoDispatch);
  EXPECT_EQ(V_VT(&plain.get()), VT_R4);
}

TEST(ComValuesTest, OtherReferencesAreReadThroughAndUnknownKindsRefused) {
  LONG number = 42;
  VARIANT byRef;
  V_VT(&byRef) = VT_I4 | VT_BYREF;
  V_I4REF(&byRef) = &number;
  EXPECT_EQ(ToValue(byRef, NoObject), I4(42));

  VariantHolder date;
  V_VT(&date.get()) = VT_DATE;
  V_DATE(&date.get()) = 1.0;
  EXPECT_EQ(FailureOf([&] { ToValue(date.get(), NoObject); }), "Type mismatch");
}

}  // namespace
}  // namespace quorvane::word::com
