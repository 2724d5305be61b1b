#include "utility/window_ipc.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/common/child_process.h"
#include "tests/common/message_pump.h"
#include "utility/instance_mutex.h"

namespace {

struct Received {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  std::thread::id thread;
  std::string copyData;
  bool operator==(const Received&) const = default;
};

class RecordingHandler : public utility::IWindowIPCHandle {
 public:
  int onHandleWindowIPC(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    Received entry{message, wParam, lParam, std::this_thread::get_id(), {}};
    if (message == WM_COPYDATA) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      entry.wParam = data->dwData;
      entry.copyData.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    received.push_back(entry);
    return 1;
  }
  bool got(unsigned message) const {
    for (const Received& entry : received) {
      if (entry.message == message) return true;
    }
    return false;
  }
  std::vector<Received> received;
};

std::wstring uniqueClassName(const wchar_t* stem) {
  return std::wstring(L"vx-ipc-") + stem + L"-" + std::to_wstring(::GetCurrentProcessId());
}

unsigned runPeer(const std::wstring& arguments) { return vxtest::runChildProcess(VX_IPC_PEER_PATH, arguments); }

TEST(WindowIPC, RoutesOnlyMessagesAboveWmUserAndCopyDataToTheHandler) {
  struct Case {
    UINT message;
    bool routed;
  };
  const Case cases[] = {
      {WM_NULL, false},     {WM_SETTEXT, false}, {WM_COPYDATA, true},
      {WM_USER - 1, false}, {WM_USER, false},    {WM_USER + 1, true},
      {0xBFFF, true},       {0xFFFF, true},      {utility::SHOW_MAIN_FRAME_MSG, true},
  };
  RecordingHandler handler;
  utility::WindowIPC channel;
  ASSERT_TRUE(channel.create(uniqueClassName(L"route"), &handler));
  HWND window = ::FindWindowExW(nullptr, nullptr, uniqueClassName(L"route").c_str(), nullptr);
  ASSERT_NE(window, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message);
    handler.received.clear();
    COPYDATASTRUCT data = {7, 0, nullptr};
    const LPARAM lParam = c.message == WM_COPYDATA || c.message == WM_SETTEXT
                              ? reinterpret_cast<LPARAM>(c.message == WM_COPYDATA ? static_cast<void*>(&data)
                                                                                  : const_cast<wchar_t*>(L"t"))
                              : 0x1234;
    const LRESULT answer = ::SendMessageW(window, c.message, 0, lParam);
    if (!c.routed) {
      EXPECT_TRUE(handler.received.empty());
      continue;
    }
    ASSERT_EQ(handler.received.size(), 1u);
    EXPECT_EQ(handler.received[0].message, c.message);
    EXPECT_EQ(handler.received[0].lParam, lParam);
    EXPECT_EQ(answer, 0);
  }
}

// A receiving endpoint of this thread that a peer process talks to.
class WindowIPCPeerTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(channel.create(className, &handler)); }
  const std::wstring className = uniqueClassName(L"peer");
  RecordingHandler handler;
  utility::WindowIPC channel;
};

TEST_F(WindowIPCPeerTest, PostsReachTheHandlerOnTheOwningThread) {
  EXPECT_EQ(runPeer(L"post " + className + L" 0x400 1 2 0x401 3 4 112345 5 6"), 0u);
  ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return handler.got(112345); }));
  const std::thread::id self = std::this_thread::get_id();
  const std::vector<Received> expected = {{0x401, 3, 4, self, {}}, {112345, 5, 6, self, {}}};
  EXPECT_EQ(handler.received, expected);
}

TEST_F(WindowIPCPeerTest, CopyDataArrivesWithItsPayloadAndIsAnswered0) {
  EXPECT_EQ(runPeer(L"copydata " + className + L" 42 hello-channel"), 0u);
  ASSERT_EQ(handler.received.size(), 1u);
  EXPECT_EQ(handler.received[0].message, static_cast<unsigned>(WM_COPYDATA));
  EXPECT_EQ(handler.received[0].wParam, 42u);
  EXPECT_EQ(handler.received[0].copyData, "hello-channel");
  EXPECT_EQ(handler.received[0].thread, std::this_thread::get_id());
}

TEST(WindowIPC, SecondLaunchAsksTheRunningInstanceOnlyWhenItsChannelExists) {
  struct Case {
    const char* name;
    bool instanceRuns;
    bool channelOpen;
    unsigned peerExit;
  };
  const Case cases[] = {
      {"no instance", false, false, 3},
      {"instance still starting", true, false, 1},
      {"instance with channel", true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    utility::ScopedHandle mutex;
    if (c.instanceRuns) {
      mutex = utility::usystem::createInstanceMutex(utility::CHANNEL_NAME, false, true);
      ASSERT_TRUE(mutex.valid());
    }
    RecordingHandler handler;
    utility::WindowIPC channel;
    if (c.channelOpen) {
      ASSERT_TRUE(channel.create(utility::CHANNEL_NAME, &handler));
    }
    EXPECT_EQ(runPeer(L"second"), c.peerExit);
    if (c.channelOpen) {
      ASSERT_TRUE(vxtest::pumpMessagesUntil([&] { return !handler.received.empty(); }));
      EXPECT_EQ(handler.received[0].message, utility::SHOW_MAIN_FRAME_MSG);
    }
  }
}

TEST(WindowIPC, PostingWithoutAnOpenWindowFails) {
  utility::WindowIPC never;
  EXPECT_FALSE(never.postMessage(utility::SHOW_MAIN_FRAME_MSG, 0, 0));
  utility::WindowIPC missing;
  EXPECT_FALSE(missing.open(uniqueClassName(L"nobody")));
  EXPECT_FALSE(missing.postMessage(utility::SHOW_MAIN_FRAME_MSG, 0, 0));
}

TEST(WindowIPC, TheReceivingWindowGoesAwayWithItsEndpoint) {
  const std::wstring className = uniqueClassName(L"gone");
  RecordingHandler handler;
  {
    utility::WindowIPC channel;
    ASSERT_TRUE(channel.create(className, &handler));
    utility::WindowIPC sender;
    EXPECT_TRUE(sender.open(className));
  }
  utility::WindowIPC sender;
  EXPECT_FALSE(sender.open(className));
}

TEST(InstanceMutex, ASecondCreateFindsTheFirst) {
  const std::wstring name = uniqueClassName(L"mutex");
  utility::ScopedHandle first = utility::usystem::createInstanceMutex(name, false, true);
  ASSERT_TRUE(first.valid());
  EXPECT_FALSE(utility::usystem::createInstanceMutex(name, false, true).valid());
  EXPECT_TRUE(utility::usystem::createInstanceMutex(name, false, false).valid());
  first.reset();
  EXPECT_TRUE(utility::usystem::createInstanceMutex(name, false, true).valid());
}

}  // namespace
