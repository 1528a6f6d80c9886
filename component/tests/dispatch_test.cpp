#include <gtest/gtest.h>

#include <vector>

#include "fixture_interface.h"

namespace fixture {
namespace {

class LocalCounter final : public ICounter {
 public:
  HRESULT get_Value(std::int32_t* pVal) override {
    *pVal = value;
    return S_OK;
  }
  HRESULT put_Value(std::int32_t v) override {
    value = v;
    return S_OK;
  }
  HRESULT Add(std::int16_t amount, float scale, std::int32_t* pTotal) override {
    value += static_cast<std::int32_t>(amount * scale);
    *pTotal = value;
    return S_OK;
  }
  HRESULT Describe(const Variant& data, std::string* pText) override {
    *pText = varTypeName(data.type());
    return S_OK;
  }
  std::int32_t value = 0;
};

TEST(Dispatch, PropertyPutAndGetById) {
  LocalCounter counter;
  std::vector<Variant> put{Variant("12")};
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Value, InvokeKind::PropertyPut, put, nullptr), S_OK);
  EXPECT_EQ(counter.value, 12);
  Variant result;
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Value, InvokeKind::PropertyGet, {}, &result), S_OK);
  EXPECT_EQ(result, Variant(std::int32_t{12}));
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Value, InvokeKind::PropertyGet, {}, nullptr), E_POINTER);
}

TEST(Dispatch, MethodConvertsInParametersAndFillsOutSlots) {
  LocalCounter counter;
  std::vector<Variant> args{Variant(std::int32_t{4}), Variant(std::int32_t{2}), Variant("ignored")};
  ASSERT_EQ(counter.invoke(ICounter::Dispid::Add, InvokeKind::Method, args, nullptr), S_OK);
  EXPECT_EQ(args[0], Variant(std::int32_t{4})) << "in-parameters of the caller stay as passed";
  EXPECT_EQ(args[2], Variant(std::int32_t{8}));
}

TEST(Dispatch, AnyParameterKeepsTheCallersKind) {
  LocalCounter counter;
  std::vector<Variant> args{Variant(std::int16_t{1}), Variant()};
  ASSERT_EQ(counter.invoke(ICounter::Dispid::Describe, InvokeKind::Method, args, nullptr), S_OK);
  EXPECT_EQ(args[1], Variant("short"));
}

TEST(Dispatch, RefusesWrongCallsWithoutCallingTheMember) {
  LocalCounter counter;
  std::vector<Variant> tooFew{Variant(std::int32_t{1})};
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Add, InvokeKind::Method, tooFew, nullptr), DISP_E_BADPARAMCOUNT);
  std::vector<Variant> badType{Variant("x"), Variant(1.0f), Variant()};
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Add, InvokeKind::Method, badType, nullptr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(counter.invoke(99, InvokeKind::Method, {}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(counter.invoke(ICounter::Dispid::Add, InvokeKind::PropertyGet, {}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(counter.value, 0);
}

TEST(Dispatch, TypeInformationListsMembersInOrder) {
  LocalCounter counter;
  const InterfaceInfo& info = counter.interfaceInfo();
  EXPECT_EQ(info.name, "ICounter");
  ASSERT_EQ(info.members.size(), 4u);
  EXPECT_EQ(info.find("Add")->id, ICounter::Dispid::Add);
  EXPECT_EQ(info.find("Value")->kind, InvokeKind::PropertyGet);
  EXPECT_EQ(info.find(ICounter::Dispid::Value, InvokeKind::PropertyPut)->argumentCount(), 1u);
  EXPECT_EQ(info.find("Missing"), nullptr);
}

}  // namespace
}  // namespace fixture
