// The analytics client id: which adapters count, sorting, joining, the
// count prefix, and the platform's MD5 and adapter list under it.
#include "net/client_id.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "net/adapter_addresses.h"
#include "net/platform_md5.h"

namespace {

TEST(ClientId, FormatsTheFirstSixBytesAndSkipsAllZeroAddresses) {
  struct Case {
    unsigned char address[8];
    const wchar_t* text;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0, 0, 0}, L""},
      {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0, 0}, L"001122334455"},
      {{0xab, 0xcd, 0xef, 0x01, 0x23, 0x45, 0x67, 0x89}, L"ABCDEF012345"},
      {{0, 0, 0, 0, 0, 0, 0, 1}, L"000000000000"},  // not all 8 zero: it counts
  };
  for (const auto& c : cases) EXPECT_EQ(analytics::formatAdapterAddress(c.address), c.text);
}

TEST(ClientId, PlatformMd5MatchesKnownDigests) {
  EXPECT_EQ(analytics::platformMd5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(analytics::platformMd5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(analytics::platformMd5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
}

TEST(ClientId, DigestsTheSortedJoinedAddressesWithACountPrefix) {
  struct Case {
    std::vector<std::wstring> addresses;
    std::wstring id;
  };
  const Case cases[] = {
      {{}, L""},
      {{L"001122334455"}, L"572e74cdf761d0e4038509919cd8af1a"},
      {{L"001122334455", L"AABBCCDDEEFF"}, L"2-95a09ebb99f6586c7785ea29f4e791e4"},
      {{L"AABBCCDDEEFF", L"001122334455"}, L"2-95a09ebb99f6586c7785ea29f4e791e4"},
      {{L"001122334455", L"AABBCCDDEEFF", L"001122334455"}, L"3-2acab5a09b18ddf0534d89e9a41e636e"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(analytics::clientIdFromAddresses(c.addresses, analytics::platformMd5Hex), c.id);
  }
}

TEST(ClientId, WritesTheCountInLowerCaseHex) {
  std::vector<std::wstring> addresses(17, L"001122334455");
  EXPECT_TRUE(analytics::clientIdFromAddresses(addresses, analytics::platformMd5Hex).starts_with(L"11-"));
  addresses.resize(10);
  EXPECT_TRUE(analytics::clientIdFromAddresses(addresses, analytics::platformMd5Hex).starts_with(L"a-"));
}

TEST(ClientId, StaysEmptyWithoutADigest) {
  EXPECT_EQ(analytics::clientIdFromAddresses({L"001122334455"}, [](const std::string&) { return std::string(); }), L"");
}

TEST(ClientId, AdapterAddressesAreTwelveUpperCaseHexDigits) {
  // Wine lists the host's interfaces; whatever they are, each entry has this form.
  for (const std::wstring& address : analytics::listAdapterAddresses()) {
    SCOPED_TRACE(testing::Message() << std::string(address.begin(), address.end()));
    ASSERT_EQ(address.size(), 12u);
    for (wchar_t c : address) EXPECT_TRUE(std::iswdigit(c) || (c >= L'A' && c <= L'F'));
  }
}

}  // namespace
