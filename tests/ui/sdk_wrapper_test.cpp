#include "ui/sdk_wrapper.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/ui/offer_test_support.h"
#include "ui/offer_commands.h"
#include "ui/protected_folder.h"

namespace {

using vxtest::OfferScript;
using vxtest::ReceivedCommand;
using vxtest::Utf16Bytes;

// Our sample module's archive, and the one whose module lacks InvokeW.
constexpr int kSampleArchive = 134;
constexpr int kNoInvokeArchive = 135;
constexpr int kNoArchive = 199;

struct StartCase {
  const char* name;
  const wchar_t* answers;
  int archive;
  int result;
  int state;
  int status;
  std::vector<int> received;
};

TEST(SDKWrapper, StartsTheModuleOnlyWhenItLoadsAndAnswersCommandOne) {
  const StartCase cases[] = {
      {"starts", L"", kSampleArchive, 1, 0, SDKWrapper::kStatusStarted, {1, 2}},
      {"refuses to start", L"1=0", kSampleArchive, 8, 1, SDKWrapper::kStatusFailed, {1}},
      {"lacks InvokeW", L"", kNoInvokeArchive, 8, 1, SDKWrapper::kStatusFailed, {}},
      {"is not packed", L"", kNoArchive, 8, 1, SDKWrapper::kStatusFailed, {}},
  };
  for (const StartCase& c : cases) {
    OfferScript script(c.answers);
    SDKWrapper wrapper(nullptr, c.archive);
    EXPECT_EQ(wrapper.init(L"en", L"buy"), c.result) << c.name;
    EXPECT_EQ(wrapper.moduleState(), c.state) << c.name;
    EXPECT_EQ(wrapper.moduleStatus(), c.status) << c.name;
    EXPECT_EQ(script.Numbers(), c.received) << c.name;
  }
}

TEST(SDKWrapper, SendsCommandsOneAndTwoByteForByte) {
  OfferScript script(L"");
  SDKWrapper wrapper;
  ASSERT_EQ(wrapper.init(L"en", L"normal"), 1);
  const std::vector<ReceivedCommand> expected = {
      {1, Utf16Bytes(LR"({"local":"en","channel":"normal"})")},
      {2, Utf16Bytes(LR"({"blocking":"true"})")},
  };
  EXPECT_EQ(script.Received(), expected);
}

TEST(SDKWrapper, UnpacksIntoAFreshProtectedFolderUnderLocalTempAndReleaseDeletesIt) {
  OfferScript script(L"");
  SDKWrapper wrapper;
  ASSERT_EQ(wrapper.init(L"en", L"buy"), 1);
  const std::wstring folder = wrapper.setupDirectory();
  EXPECT_NE(folder.find(L"\\Temp\\"), std::wstring::npos) << std::string(folder.begin(), folder.end());
  EXPECT_EQ(folder.find(L"\\Setup\\"), std::wstring::npos);
  EXPECT_EQ(wrapper.modulePath(), folder + L"ds.dll");
  EXPECT_EQ(wrapper.setupAccess(), offer::kProtectedFolderAccess);
  EXPECT_TRUE(std::filesystem::exists(wrapper.modulePath()));
  EXPECT_TRUE(::GetModuleHandleW(wrapper.modulePath().c_str()) != nullptr);

  EXPECT_EQ(wrapper.release(), 1);
  EXPECT_EQ(wrapper.moduleStatus(), SDKWrapper::kStatusReleased);
  EXPECT_TRUE(::GetModuleHandleW(wrapper.modulePath().c_str()) == nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(script.Numbers(), (std::vector<int>{1, 2, 9}));
  EXPECT_EQ(script.Received().back().textBytes, "");
}

TEST(SDKWrapper, EveryStartGetsAFolderOfItsOwn) {
  OfferScript script(L"");
  SDKWrapper first;
  SDKWrapper second;
  ASSERT_EQ(first.init(L"en", L"buy"), 1);
  ASSERT_EQ(second.init(L"en", L"buy"), 1);
  EXPECT_NE(first.setupDirectory(), second.setupDirectory());
}

struct InstallCase {
  const wchar_t* answers;
  int state;
  int status;
};

TEST(SDKWrapper, InstallAnswersOneAndARefusalMarksCommandSeven) {
  const InstallCase cases[] = {
      {L"", 0, SDKWrapper::kStatusInstalling},
      {L"7=0", 7, SDKWrapper::kStatusFailed},
  };
  for (const InstallCase& c : cases) {
    OfferScript script(c.answers);
    SDKWrapper wrapper;
    ASSERT_EQ(wrapper.init(L"en", L"buy"), 1);
    EXPECT_EQ(wrapper.installOffers(), 1);
    EXPECT_EQ(wrapper.moduleState(), c.state);
    EXPECT_EQ(wrapper.moduleStatus(), c.status);
    // A failed state sends no command 9.
    wrapper.release();
    EXPECT_EQ(script.Numbers().back(), c.state == 0 ? 9 : 7);
  }
}

TEST(SDKWrapper, AfterTheUserClosedNothingButTheForcedReleaseIsSent) {
  OfferScript script(L"");
  SDKWrapper wrapper;
  ASSERT_EQ(wrapper.init(L"en", L"buy"), 1);
  wrapper.setModuleState(SDKWrapper::kStateUserClosed);
  wrapper.setWindow(::GetDesktopWindow(), 0, 0, 10, 10);
  EXPECT_EQ(wrapper.showOffers(nullptr, nullptr), 0);
  EXPECT_EQ(wrapper.acceptOffer(), 0);
  EXPECT_EQ(wrapper.moduleStatus(), SDKWrapper::kStatusScreenOver);
  EXPECT_EQ(wrapper.declineOffer(), 0);
  EXPECT_EQ(wrapper.installOffers(), 1);
  wrapper.release();
  const std::vector<ReceivedCommand> received = script.Received();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], (ReceivedCommand{9, Utf16Bytes(LR"({"force":"true"})")}));
}

}  // namespace
