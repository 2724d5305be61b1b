#include "ui/offer_commands.h"

#include <gtest/gtest.h>

namespace {

struct ChannelCase {
  const wchar_t* id;
  const wchar_t* channel;
};

TEST(OfferCommands, TheChannelIsBuyFrom750To2250AndNormalElsewhere) {
  const ChannelCase cases[] = {
      {L"100", L"normal"},  {L"749", L"normal"}, {L"750", L"buy"}, {L"1500", L"buy"},    {L"2250", L"buy"},
      {L"2251", L"normal"}, {L"abc", L"normal"}, {L"", L"normal"}, {L"-800", L"normal"},
  };
  for (const ChannelCase& c : cases) EXPECT_EQ(offer::ChannelName(c.id), c.channel) << c.id;
}

struct TextCase {
  std::wstring built;
  const wchar_t* expected;
};

TEST(OfferCommands, TheTextsHaveTheirExactSpacingAndSignedNumbers) {
  const TextCase cases[] = {
      {offer::StartText(L"en", L"buy"), LR"({"local":"en","channel":"buy"})"},
      {offer::BlockingText(), LR"({"blocking":"true"})"},
      {offer::WindowText(-5, 0, 1, 486, 214),
       LR"({"wnd":"-5", "backgroundColor":"#FF0e0e0e", "x":"0", "y":"1", "width":"486", "height":"214"})"},
      {offer::ButtonsText(131234, -2), LR"({"acceptBtnWnd":"131234", "declineBtnWnd":"-2"})"},
      {offer::ReleaseText(true), LR"({"force":"true"})"},
      {offer::ReleaseText(false), L""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(c.built, c.expected);
}

}  // namespace
