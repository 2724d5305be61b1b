#include "skinui/core/resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "skinui/core/ui_string.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/allocation_counter.h"
#include "tests/skinui/test_archives.h"

namespace {

using skintest::Bytes;

Bytes skinFile(const SkinUI::CResourceContext& context, const wchar_t* name) {
  size_t size = 123;
  std::unique_ptr<unsigned char[]> data(context.LoadSkinFile(name, &size));
  if (data == nullptr) {
    EXPECT_EQ(size, 0u) << "a missing file reports size 0";
    return {};
  }
  return Bytes(data.get(), data.get() + size);
}

// A context set up the way the program does it, over this test program's
// own "ZIPRES" resources.
struct LoadedContext {
  explicit LoadedContext(const wchar_t* language, const wchar_t* skinDirectory = L"",
                         int archiveId = SkinUI::kSkinArchiveId) {
    context.SetModuleHandle(::GetModuleHandleW(nullptr));
    context.SetLanguage(language, L"en_US");
    context.SetSkinDirectory(skinDirectory);
    context.LoadSkinPackage(archiveId, L"language.tsv");
  }
  SkinUI::CResourceContext context;
};

// A language.tsv beside this test program, removed again at the end.
class BesideLanguageFile {
 public:
  explicit BesideLanguageFile(const std::string& text) {
    SkinUI::CResourceContext context;
    context.SetModuleHandle(::GetModuleHandleW(nullptr));
    path_ = context.GetModuleDirectory() + L"language.tsv";
    EXPECT_TRUE(testutil::writeFile(path_, text));
  }
  ~BesideLanguageFile() { ::DeleteFileW(path_.c_str()); }

 private:
  std::wstring path_;
};

TEST(Resources, ModuleDirectoryEndsWithBackslashAndHoldsTheProgram) {
  SkinUI::CResourceContext context;
  EXPECT_EQ(context.GetModuleDirectory(), L"");
  context.SetModuleHandle(::GetModuleHandleW(nullptr));
  EXPECT_EQ(context.GetModule(), ::GetModuleHandleW(nullptr));
  std::wstring dir = context.GetModuleDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), L'\\');
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir + L"skinui_tests.exe")));
  EXPECT_GE(context.GetOsMajorVersion(), 5);
}

TEST(Resources, LanguageFallsBackWhenEmpty) {
  SkinUI::CResourceContext context;
  context.SetLanguage(L"ko_KR", L"en_US");
  EXPECT_STREQ(context.GetLanguage(), L"ko_KR");
  context.SetLanguage(L"", L"en_US");
  EXPECT_STREQ(context.GetLanguage(), L"en_US");
  context.SetLanguage(nullptr, L"en_US");
  EXPECT_STREQ(context.GetLanguage(), L"en_US");
}

TEST(Resources, SkinDirectoryIsKeptOnlyWhenItExists) {
  testutil::TempDir dir;
  const std::wstring bare = dir.path();
  const std::pair<std::wstring, std::wstring> cases[] = {
      {bare, bare + L"\\"},
      {bare + L"\\", bare + L"\\"},
      {bare + L"/", bare + L"/"},
      {bare + L"\\missing", L""},
      {L"", L""}};
  SkinUI::CResourceContext context;
  for (const auto& [given, stored] : cases) {
    context.SetSkinDirectory(given.c_str());
    EXPECT_EQ(std::wstring(context.GetSkinDirectory()), stored);
  }
}

TEST(Resources, SkinFilesComeFromTheArchiveWithEitherSeparator) {
  LoadedContext loaded(L"en_US");
  const SkinUI::CResourceContext& context = loaded.context;
  EXPECT_EQ(skinFile(context, L"common\\close.png"), skintest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"common/close.png"), skintest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"common\\icons\\deep\\arrow.bin"),
            skintest::SkinSource(L"common/icons/deep/arrow.bin"));
  EXPECT_TRUE(skinFile(context, L"Common\\close.png").empty());  // names are case-sensitive
  EXPECT_TRUE(skinFile(context, L"layout\\empty.xml").empty());  // empty files are not kept
  EXPECT_TRUE(skinFile(context, L"missing.xml").empty());
  EXPECT_TRUE(skinFile(context, L"").empty());
  EXPECT_TRUE(skinFile(context, nullptr).empty());
}

TEST(Resources, SkinDirectoryFileWinsOverTheArchive) {
  testutil::TempDir dir;
  std::filesystem::create_directories(std::filesystem::path(dir.file(L"common")));
  ASSERT_TRUE(testutil::writeFile(dir.file(L"mainframe.xml"), "<Window/>"));
  ASSERT_TRUE(testutil::writeFile(dir.file(L"common\\close.png"), ""));
  LoadedContext loaded(L"en_US", (dir.path() + L"\\").c_str());
  const SkinUI::CResourceContext& context = loaded.context;
  EXPECT_EQ(skinFile(context, L"mainframe.xml"), (Bytes{'<', 'W', 'i', 'n', 'd', 'o', 'w', '/', '>'}));
  // An empty file on disk does not hide the packaged one.
  EXPECT_EQ(skinFile(context, L"common\\close.png"), skintest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"language.tsv"), skintest::SkinSource(L"language.tsv"));
}

TEST(Resources, AbsoluteNamesAreReadFromDiskOrLookedUpVerbatim) {
  testutil::TempDir dir;
  std::wstring file = dir.file(L"absolute.xml");
  ASSERT_TRUE(testutil::writeFile(file, "abs"));
  ASSERT_EQ(file[1], L':');
  LoadedContext loaded(L"en_US");
  EXPECT_EQ(skinFile(loaded.context, file.c_str()), (Bytes{'a', 'b', 's'}));
  EXPECT_TRUE(skinFile(loaded.context, dir.file(L"mainframe.xml").c_str()).empty());
}

TEST(Resources, PackagedLanguageTableFollowsTheLanguage) {
  LoadedContext korean(L"ko_KR");
  EXPECT_STREQ(korean.context.GetLanguageText(L"btn_install"), L"\uC124\uCE58");
  EXPECT_EQ(korean.context.GetLanguageHeader().codes.size(), 4u);
  LoadedContext other(L"fr_FR");
  EXPECT_STREQ(other.context.GetLanguageText(L"btn_install"), L"Install");
  EXPECT_EQ(other.context.GetLanguageText(L"no_such_key"), nullptr);
}

TEST(Resources, LanguageFileBesideTheProgramReplacesThePackagedOne) {
  {
    BesideLanguageFile beside("C\tlanguage_code\ten_US\nN\tlanguage_name\tEnglish\nLabel\tbeside\tyes\n");
    LoadedContext loaded(L"en_US");
    EXPECT_STREQ(loaded.context.GetLanguageText(L"beside"), L"yes");
    EXPECT_EQ(loaded.context.GetLanguageText(L"btn_install"), nullptr);
  }
  {
    // Present but empty: ignored, and the packaged one is not consulted.
    BesideLanguageFile beside("");
    LoadedContext loaded(L"en_US");
    EXPECT_EQ(loaded.context.GetLanguageText(L"btn_install"), nullptr);
  }
}

TEST(Resources, MissingArchiveLeavesSkinAndLanguageEmpty) {
  LoadedContext loaded(L"en_US", L"", 999);
  EXPECT_EQ(loaded.context.GetSkinArchive().Size(), 0u);
  EXPECT_TRUE(skinFile(loaded.context, L"mainframe.xml").empty());
  EXPECT_EQ(loaded.context.GetLanguageText(L"title"), nullptr);
}

TEST(Resources, TranslateTextReplacesOnlyKnownKeys) {
  LoadedContext loaded(L"en_US");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"@title", L"Vandorix Setup"},
      {L"@", L"@"},
      {L"@missing", L"@missing"},
      {L"title", L"title"},
      {L"x@title", L"x@title"},
      {L"", L""}};
  for (const auto& [given, expected] : cases) {
    SkinUI::CUIString text = given.c_str();
    loaded.context.TranslateText(text);
    EXPECT_EQ(std::wstring(text.GetData()), expected);
  }
}

// Texts are translated each time they are drawn: a null key must not throw,
// and a hit must cost no heap block (the lookup builds no key string, the
// result is the stored text, and a short text fits the string's own room).
// The keys are longer than a standard string holds without the heap.
TEST(Resources, LanguageTextIsFoundWithoutThrowingOrAllocating) {
  SkinUI::CResourceContext context;
  const wchar_t* stored = context.AddLanguageText(L"setup_title", L"Vandorix Setup");
  const std::wstring longText(2 * SkinUI::CUIString::kInlineLength, L'x');
  context.AddLanguageText(L"long_text_key", longText);
  SkinUI::CUIString title(L"@setup_title");
  SkinUI::CUIString missing(L"@missing_key");
  SkinUI::CUIString grown(longText.c_str());  // already has room for the long text
  grown = L"@long_text_key";
  const wchar_t* nullKey = L"unset";
  const wchar_t* hit = nullptr;
  const wchar_t* miss = L"unset";
  size_t allocations = 0;
  {
    skintest::ScopedAllocationCounter counter;
    nullKey = context.GetLanguageText(nullptr);
    hit = context.GetLanguageText(L"setup_title");
    miss = context.GetLanguageText(L"missing_key");
    context.TranslateText(title);
    context.TranslateText(missing);
    context.TranslateText(grown);
    allocations = counter.Count();
  }
  EXPECT_EQ(allocations, 0u);
  EXPECT_EQ(nullKey, nullptr);
  EXPECT_EQ(hit, stored);
  EXPECT_EQ(miss, nullptr);
  EXPECT_EQ(title, L"Vandorix Setup");
  EXPECT_EQ(missing, L"@missing_key");
  EXPECT_EQ(grown, longText.c_str());
  EXPECT_EQ(SkinUI::GetLanguageText(nullptr), nullptr);
}

// The counter behind the test above does see heap blocks.
TEST(Resources, AllocationCounterCountsHeapBlocks) {
  size_t allocations = 0;
  {
    skintest::ScopedAllocationCounter counter;
    std::wstring text(200, L'x');
    allocations = counter.Count();
  }
  EXPECT_GE(allocations, 1u);
}


}  // namespace
