#include "utility/scoped_handle.h"

#include <gtest/gtest.h>

namespace {

bool isOpen(HANDLE h) {
  DWORD flags = 0;
  return ::GetHandleInformation(h, &flags) != FALSE;
}

TEST(ScopedHandle, ClosesOnScopeExitAndReset) {
  HANDLE raw = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_TRUE(isOpen(raw));
  {
    utility::ScopedHandle owner(raw);
    EXPECT_TRUE(owner.valid());
  }
  EXPECT_FALSE(isOpen(raw));

  HANDLE first = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE second = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  utility::ScopedHandle owner(first);
  owner.reset(second);
  EXPECT_FALSE(isOpen(first));
  EXPECT_TRUE(isOpen(second));
}

TEST(ScopedHandle, MoveAndReleaseTransferOwnership) {
  HANDLE raw = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  utility::ScopedHandle a(raw);
  utility::ScopedHandle b(std::move(a));
  EXPECT_FALSE(a.valid());
  EXPECT_EQ(b.get(), raw);
  HANDLE released = b.release();
  EXPECT_FALSE(b.valid());
  EXPECT_TRUE(isOpen(released));
  ::CloseHandle(released);
}

TEST(ScopedHandle, InvalidHandleValueIsNotClosed) {
  utility::ScopedHandle file(
      ::CreateFileW(L"Z:\\no\\such\\dir\\x.bin", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(file.get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(file.valid());
}

TEST(ScopedHandle, ReceiveFillsFromAnApiThatWritesAHandle) {
  utility::ScopedRegKey key;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.receive()), ERROR_SUCCESS);
  EXPECT_TRUE(key.valid());
}

}  // namespace
