#include "ui/protected_folder.h"

#include <windows.h>
#include <sddl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/common/temp_dir.h"

namespace {

// True when the access list text is protected from inheritance and every
// entry allows only SYSTEM or the Administrators group.
bool OnlySystemAndAdministrators(const std::wstring& access) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(access.c_str(), SDDL_REVISION_1, &descriptor, nullptr)) {
    return false;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  bool only = ::GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED) &&
              ::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) && present && dacl != nullptr &&
              dacl->AceCount > 0;
  for (DWORD index = 0; only && index < dacl->AceCount; ++index) {
    void* entry = nullptr;
    only = ::GetAce(dacl, index, &entry) && static_cast<ACE_HEADER*>(entry)->AceType == ACCESS_ALLOWED_ACE_TYPE;
    if (!only) break;
    PSID sid = &static_cast<ACCESS_ALLOWED_ACE*>(entry)->SidStart;
    only = ::IsWellKnownSid(sid, WinLocalSystemSid) || ::IsWellKnownSid(sid, WinBuiltinAdministratorsSid);
  }
  ::LocalFree(descriptor);
  return only;
}

// Wine 8 keeps no access list of a folder: it reports one made from the
// Unix mode whatever was set. So the list is read back from the security
// descriptor the folder was created with.
TEST(ProtectedFolder, IsMadeWithAnAccessListForAdministratorsAndSystemOnly) {
  vxtest::TempDir parent;
  offer::ProtectedFolder folder;
  ASSERT_TRUE(folder.Create(parent.path() + L"\\"));
  EXPECT_EQ(folder.access(), offer::kProtectedFolderAccess);
  EXPECT_TRUE(OnlySystemAndAdministrators(folder.access()));
  EXPECT_FALSE(OnlySystemAndAdministrators(L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BU)"));
  EXPECT_FALSE(OnlySystemAndAdministrators(L"D:(A;OICI;FA;;;SY)"));
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
  EXPECT_EQ(folder.access(), offer::kProtectedFolderAccess);
  folder.Remove();
  EXPECT_EQ(vxtest::readFile(planted / L"ds.dll"), "planted");
  EXPECT_FALSE(std::filesystem::exists(parent.file(L"fresh")));
}

TEST(ProtectedFolder, CannotBeRenamedAwayWhileInUse) {
  vxtest::TempDir parent;
  offer::ProtectedFolder folder;
  ASSERT_TRUE(folder.Create(parent.path() + L"\\"));
  std::wstring path = folder.path();
  path.pop_back();
  EXPECT_FALSE(::MoveFileW(path.c_str(), parent.file(L"moved").c_str()));
  EXPECT_TRUE(std::filesystem::exists(folder.path()));
  EXPECT_FALSE(std::filesystem::exists(parent.file(L"moved")));
}

TEST(ProtectedFolder, GivesUpWhenEveryNameIsTaken) {
  vxtest::TempDir parent;
  std::filesystem::create_directory(parent.file(L"taken"));
  offer::ProtectedFolder folder;
  EXPECT_FALSE(folder.Create(parent.path() + L"\\", [] { return std::wstring(L"taken"); }));
  EXPECT_TRUE(folder.path().empty());
  EXPECT_TRUE(folder.access().empty());
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
