#include "skinui/core/markup/attribute_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace SkinUI;

TEST(AttributeValues, Decimals) {
  struct Case {
    const wchar_t* text;
    int expected;
  };
  const Case cases[] = {
      {L"340", 340},
      {L"-12", -12},
      {L"+7", 7},
      {L" 5", 5},
      {L"12abc", 12},
      {L"abc", 0},
      {L"", 0},
      {L"-", 0},
      {L"0x10", 0},
      {L"99999999999999", 2147483647},
      {L"-99999999999999", -2147483647 - 1},
      {nullptr, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.expected) << (c.text ? c.text : L"(null)");
}

TEST(AttributeValues, Colours) {
  struct Case {
    const wchar_t* text;
    uint32_t expected;
  };
  const Case cases[] = {
      {L"#FF17171A", 0xFF17171A},
      {L"FF17171A", 0xFF17171A},
      {L"#ffff00ff", 0xFFFF00FF},
      {L"0xffff00ff", 0xFFFF00FF},
      {L"#80", 0x80},
      {L"#", 0},
      {L"zz", 0},
      {L"", 0},
      {L"#FF0000FFjunk", 0xFF0000FF},
      {L"#123456789", 0xFFFFFFFF},
      {nullptr, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected) << (c.text ? c.text : L"(null)");
}

TEST(AttributeValues, RectanglesAndPairs) {
  struct Case {
    const wchar_t* text;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {L"1,2,3,4", {1, 2, 3, 4}}, {L"158,112,0,0", {158, 112, 0, 0}}, {L"10,20", {10, 20, 0, 0}},
      {L"", {0, 0, 0, 0}},        {L"-5,-6,7,8", {-5, -6, 7, 8}},     {L"1;2;3;4", {1, 2, 3, 4}},
      {L"a,2,3,4", {0, 2, 3, 4}}, {L"1,2,3,4,5", {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    int values[4] = {-1, -1, -1, -1};
    ParseDecimals(c.text, values, 4);
    EXPECT_EQ(std::vector<int>(values, values + 4), c.expected) << c.text;
  }
}

TEST(AttributeValues, Fractions) {
  double values[4];
  ParseFractions(L"0.5,0,1,0.25", values, 4);
  EXPECT_DOUBLE_EQ(values[0], 0.5);
  EXPECT_DOUBLE_EQ(values[2], 1.0);
  EXPECT_DOUBLE_EQ(values[3], 0.25);
  ParseFractions(L"inf,nan,x,", values, 4);
  for (double v : values) EXPECT_EQ(v, 0.0);
  ParseFractions(L"1e400,0.5", values, 2);
  EXPECT_EQ(values[0], 0.0);
  EXPECT_DOUBLE_EQ(values[1], 0.5);
  std::wstring longNumber(1000, L'7');
  ParseFractions(longNumber.c_str(), values, 2);
  EXPECT_GT(values[0], 1e60);
}

TEST(AttributeValues, BooleansAreTrueOnlyForTrue) {
  EXPECT_TRUE(ParseBool(L"true"));
  for (const wchar_t* text : {L"True", L"TRUE", L"1", L"yes", L"true ", L"", static_cast<const wchar_t*>(nullptr)}) {
    EXPECT_FALSE(ParseBool(text)) << (text ? text : L"(null)");
  }
}

TEST(AttributeValues, AttributeLists) {
  using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;
  struct Case {
    const wchar_t* list;
    Pairs expected;
  };
  const Case cases[] = {
      {L"name=\"ok\" width=\"340\"", {{L"name", L"ok"}, {L"width", L"340"}}},
      {L"a=\"1\"  b=\"2\"", {{L"a", L"1"}}},  // two blanks: only the first pair
      {L"a=\"1\"b=\"2\"", {{L"a", L"1"}}},    // no blank after the closing quote
      {L"a=\"1\" b=\"2", {{L"a", L"1"}}},     // unterminated value
      {L"a=1 b=\"2\"", {}},                   // no quote after '='
      {L"a \"1\"", {}},                       // no '='
      {L"=\"1\"", {}},                        // empty name
      {L"a=\"\" b=\"x y\"", {{L"a", L""}, {L"b", L"x y"}}},
      {L"bkimage=\"file='a.png' corner='1,1,1,1'\" ", {{L"bkimage", L"file='a.png' corner='1,1,1,1'"}}},
      {L"", {}},
      {nullptr, {}},
  };
  for (const Case& c : cases) {
    CAttributeListReader reader(c.list);
    CUIString name;
    CUIString value;
    Pairs got;
    while (reader.Next(name, value)) got.emplace_back(name.GetData(), value.GetData());
    EXPECT_EQ(got, c.expected) << (c.list ? c.list : L"(null)");
    EXPECT_FALSE(reader.Next(name, value));
  }
}

}  // namespace
