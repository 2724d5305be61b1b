#include "skinui/core/resources/resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "skinui/core/markup/ui_string.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/allocation_counter.h"
#include "tests/skinui/test_archives.h"

namespace {

using vxtest::Bytes;

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
  explicit LoadedContext(const wchar_t* language,
                         const wchar_t* skinDirectory = L"",
                         int archiveId = SkinUI::kSkinArchiveId) {
    context.SetModuleHandle(::GetModuleHandleW(nullptr));
    context.SetLanguage(language, L"en_US");
    context.SetSkinDirectory(skinDirectory);
    context.LoadSkinPackage(archiveId, L"language.tsv");
  }
  SkinUI::CResourceContext context;
};

// Where the program looks for a language file of its own.
std::wstring besideLanguagePath() {
  SkinUI::CResourceContext context;
  context.SetModuleHandle(::GetModuleHandleW(nullptr));
  return context.GetModuleDirectory() + L"language.tsv";
}

// A language.tsv beside this test program for one scope, removed again even
// when the test fails.
class BesideLanguageFile {
 public:
  explicit BesideLanguageFile(const std::string& text) : path_(besideLanguagePath()) {
    EXPECT_TRUE(vxtest::writeFile(path_, text));
  }
  ~BesideLanguageFile() { ::DeleteFileW(path_.c_str()); }
  BesideLanguageFile(const BesideLanguageFile&) = delete;
  BesideLanguageFile& operator=(const BesideLanguageFile&) = delete;

 private:
  std::wstring path_;
};

// A run that crashed inside a test leaves its language.tsv behind, and every
// later test that loads the packaged table would read it instead: remove it
// before any test runs.
class StaleLanguageFileRemoval : public ::testing::Environment {
 public:
  void SetUp() override { ::DeleteFileW(besideLanguagePath().c_str()); }
};

const ::testing::Environment* const kStaleLanguageFileRemoval =
    ::testing::AddGlobalTestEnvironment(new StaleLanguageFileRemoval);

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
  vxtest::TempDir dir;
  const std::wstring bare = dir.path();
  const std::pair<std::wstring, std::wstring> cases[] = {{bare, bare + L"\\"},
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
  EXPECT_EQ(skinFile(context, L"common\\close.png"), vxtest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"common/close.png"), vxtest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"common\\icons\\deep\\arrow.bin"), vxtest::SkinSource(L"common/icons/deep/arrow.bin"));
  EXPECT_TRUE(skinFile(context, L"Common\\close.png").empty());  // names are case-sensitive
  EXPECT_TRUE(skinFile(context, L"layout\\empty.xml").empty());  // empty files are not kept
  EXPECT_TRUE(skinFile(context, L"missing.xml").empty());
  EXPECT_TRUE(skinFile(context, L"").empty());
  EXPECT_TRUE(skinFile(context, nullptr).empty());
}

TEST(Resources, SkinDirectoryFileWinsOverTheArchive) {
  vxtest::TempDir dir;
  std::filesystem::create_directories(std::filesystem::path(dir.file(L"common")));
  ASSERT_TRUE(vxtest::writeFile(dir.file(L"mainframe.xml"), "<Window/>"));
  ASSERT_TRUE(vxtest::writeFile(dir.file(L"common\\close.png"), ""));
  LoadedContext loaded(L"en_US", (dir.path() + L"\\").c_str());
  const SkinUI::CResourceContext& context = loaded.context;
  EXPECT_EQ(skinFile(context, L"mainframe.xml"), (Bytes{'<', 'W', 'i', 'n', 'd', 'o', 'w', '/', '>'}));
  // An empty file on disk does not hide the packaged one.
  EXPECT_EQ(skinFile(context, L"common\\close.png"), vxtest::SkinSource(L"common/close.png"));
  EXPECT_EQ(skinFile(context, L"language.tsv"), vxtest::SkinSource(L"language.tsv"));
}

TEST(Resources, AbsoluteNamesAreReadFromDiskOrLookedUpVerbatim) {
  vxtest::TempDir dir;
  std::wstring file = dir.file(L"absolute.xml");
  ASSERT_TRUE(vxtest::writeFile(file, "abs"));
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

// A valid table holding "beside", padded with line breaks (which the reader
// passes over) to exactly size bytes.
std::string languageFileOfSize(size_t size) {
  std::string text = "C\tlanguage_code\ten_US\nN\tlanguage_name\tEnglish\nLabel\tbeside\tyes\n";
  text.resize(size, '\n');
  return text;
}

TEST(Resources, LanguageFileBesideTheProgramIsReadUpTo4MiB) {
  constexpr size_t kLimit = size_t{4} << 20;
  const struct {
    size_t size;
    const wchar_t* beside;  // the text of "beside", null when the file was ignored
  } cases[] = {{kLimit, L"yes"}, {kLimit + 1, nullptr}};
  for (const auto& c : cases) {
    BesideLanguageFile beside(languageFileOfSize(c.size));
    LoadedContext loaded(L"en_US");
    EXPECT_STREQ(loaded.context.GetLanguageText(L"beside"), c.beside) << c.size;
    // Too large is ignored outright: the packaged table is not consulted either.
    EXPECT_EQ(loaded.context.GetLanguageText(L"btn_install"), nullptr) << c.size;
  }
}

// A packaged language file of 10 bytes or less is taken as empty; from 11
// bytes on it is read (its header rows show that it was).
TEST(Resources, PackagedLanguageFileIsReadFrom11Bytes) {
  vxtest::TempDir skin;
  const std::string rows = "A\tB\nC\tD\n";
  const struct {
    size_t size;
    size_t codes;
  } cases[] = {{10, 0}, {11, 2}};
  for (const auto& c : cases) {
    std::string text = rows;
    text.resize(c.size, 'x');
    ASSERT_TRUE(vxtest::writeFile(skin.file(L"short.tsv"), text));
    SkinUI::CResourceContext context;
    context.SetModuleHandle(::GetModuleHandleW(nullptr));
    context.SetSkinDirectory(skin.path().c_str());
    context.LoadSkinPackage(SkinUI::kSkinArchiveId, L"short.tsv");
    EXPECT_EQ(context.GetLanguageHeader().codes.size(), c.codes) << c.size;
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
  const std::pair<std::wstring, std::wstring> cases[] = {{L"@title", L"Vandorix Setup"}, {L"@", L"@"},
                                                         {L"@missing", L"@missing"},     {L"title", L"title"},
                                                         {L"x@title", L"x@title"},       {L"", L""}};
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
    vxtest::ScopedAllocationCounter counter;
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
    vxtest::ScopedAllocationCounter counter;
    std::wstring text(200, L'x');
    allocations = counter.Count();
  }
  EXPECT_GE(allocations, 1u);
}

}  // namespace
