#include "ui/protected_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/common/temp_dir.h"

namespace {

TEST(ProtectedFolder, IsMadeWithAnAccessListForAdministratorsAndSystemOnly) {
  vxtest::TempDir parent;
  offer::ProtectedFolder folder;
  ASSERT_TRUE(folder.Create(parent.path() + L"\\"));
  // Wine does not enforce the list, so the test reads back what was set.
  EXPECT_EQ(offer::ReadFolderAccess(folder.path()), offer::kProtectedFolderAccess);
}

TEST(ProtectedFolder, NeverUsesAFolderThatExistsAlready) {
  vxtest::TempDir parent;
  const std::filesystem::path planted = parent.file(L"taken");
  std::filesystem::create_directory(planted);
  ASSERT_TRUE(vxtest::writeFile(planted / L"ds.dll", "planted"));
  const wchar_t* names[] = {L"taken", L"fresh"};
  int next = 0;
  offer::ProtectedFolder folder;
  ASSERT_TRUE(folder.Create(parent.path() + L"\\", [&] { return std::wstring(names[next++]); }));
  EXPECT_EQ(folder.path(), parent.file(L"fresh") + L"\\");
  EXPECT_EQ(offer::ReadFolderAccess(folder.path()), offer::kProtectedFolderAccess);
  folder.Remove();
  EXPECT_EQ(vxtest::readFile(planted / L"ds.dll"), "planted");
  EXPECT_FALSE(std::filesystem::exists(parent.file(L"fresh")));
}

TEST(ProtectedFolder, GivesUpWhenEveryNameIsTaken) {
  vxtest::TempDir parent;
  std::filesystem::create_directory(parent.file(L"taken"));
  offer::ProtectedFolder folder;
  EXPECT_FALSE(folder.Create(parent.path() + L"\\", [] { return std::wstring(L"taken"); }));
  EXPECT_TRUE(folder.path().empty());
}

TEST(ProtectedFolder, RandomNamesDifferAndRemoveDeletesTheFiles) {
  vxtest::TempDir parent;
  offer::ProtectedFolder first;
  offer::ProtectedFolder second;
  ASSERT_TRUE(first.Create(parent.path() + L"\\"));
  ASSERT_TRUE(second.Create(parent.path() + L"\\"));
  EXPECT_NE(first.path(), second.path());
  EXPECT_EQ(first.path().size(), parent.path().size() + 1 + 32 + 1);
  const std::wstring path = first.path();
  ASSERT_TRUE(vxtest::writeFile(path + L"ds.dll", "module"));
  ASSERT_TRUE(vxtest::writeFile(path + L"other.bin", "more"));
  first.Remove();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(first.path().empty());
}

}  // namespace
