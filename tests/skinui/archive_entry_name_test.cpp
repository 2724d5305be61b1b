#include "skinui/core/resources/archive_entry_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Names of an archive unpacked to disk: each either stays below the target
// directory or is refused before any path is formed.
TEST(ArchiveEntryName, OnlyNamesThatStayBelowTheTargetAreContained) {
  const struct {
    std::wstring name;
    bool contained;
  } cases[] = {
      {L"mainframe.xml", true},
      {L"common/close.png", true},
      {L"common\\close.png", true},
      {L"a/./b", true},
      {L".", true},    // the target itself
      {L"..a", true},  // a name that merely starts with dots
      {L"a..", true},
      {L".hidden", true},
      {L"", false},
      {L"/x", false},  // rooted
      {L"\\x", false},
      {L"\\\\server\\share\\x", false},
      {L"C:\\x", false},  // drive letter
      {L"C:x", false},    // drive-relative
      {L"x:y", false},    // alternate data stream
      {L"..", false},
      {L"a/..", false},
      {L"a/../b", false},  // never normalised, even when it would stay inside
      {L"a/../../x", false},
      {L"a\\..\\..\\x", false},
      {L"a/..\\x", false},
      {L"...", false},  // dots and blanks only: Windows trims them away
      {L".. ", false},
      {L"a/. /b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SkinUI::IsContainedEntryName(c.name), c.contained) << c.name;
  }
}

}  // namespace
