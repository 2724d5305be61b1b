#include "tests/skin/skin_test_support.h"

#include <windows.h>

#include "skinui/core/resources/archive_extract.h"
#include "skinui/core/resources/resources.h"

namespace vxtest {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::vector<std::wstring> SplitCells(const std::wstring& line) {
  std::vector<std::wstring> cells;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find(L'\t', start);
    cells.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
    if (tab == std::wstring::npos) return cells;
    start = tab + 1;
  }
}

}  // namespace

const std::vector<std::wstring> kLanguageCodes = {L"zh_CN", L"zh_TW", L"en_US", L"ko_KR", L"vi_VN", L"th_TH", L"in_ID",
                                                  L"ja_JP", L"ru_RU", L"pt_PT", L"es_ES", L"ar_IL", L"tr_TR", L"fr_FR",
                                                  L"de_DE", L"it_IT", L"fa_IR", L"ms_MY", L"uk_UA"};

void OpenPackedSkin(const wchar_t* language) {
  SkinUI::SetModuleHandle(::GetModuleHandleW(nullptr));
  SkinUI::SetLanguage(language, L"en_US");
  SkinUI::SetSkinDirectory(L"");
  SkinUI::LoadSkinPackage(129, L"language.tsv");
}

std::string PackedFile(const wchar_t* name) {
  SkinUI::SkinFile file = SkinUI::CResourceContext::Instance().ReadSkinFile(name);
  return std::string(reinterpret_cast<const char*>(file.data.get()), file.size);
}

std::vector<std::vector<std::wstring>> LanguageRows() {
  const std::wstring text = Wide(PackedFile(L"language.tsv"));
  std::vector<std::vector<std::wstring>> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) rows.push_back(SplitCells(text.substr(start, end - start)));
    start = end + 1;
  }
  if (rows.size() >= 2) rows.erase(rows.begin(), rows.begin() + 2);
  return rows;
}

std::vector<std::wstring> PackedNames() {
  std::vector<std::wstring> names;
  HRSRC info = ::FindResourceW(nullptr, MAKEINTRESOURCEW(129), L"ZIPRES");
  if (info == nullptr) return names;
  const void* bytes = ::LockResource(::LoadResource(nullptr, info));
  SkinUI::ExtractArchiveToMemory(
      static_cast<const unsigned char*>(bytes), ::SizeofResource(nullptr, info),
      [&names](const wchar_t* name, const unsigned char*, size_t) { names.push_back(name); });
  return names;
}

}  // namespace vxtest
