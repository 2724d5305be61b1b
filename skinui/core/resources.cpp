#include "skinui/core/resources.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "skinui/core/archive_decoder.h"
#include "utility/log.h"
#include "utility/scoped_handle.h"

namespace SkinUI {

namespace {

// A language file from the archive shorter than this is taken as empty.
constexpr size_t kMinPackagedLanguageSize = 11;

enum class ReadResult { NotOpened, Read, Failed };

// Reads a whole file of 1..maxSize bytes, opened sharing reads.
ReadResult readWholeFile(const std::wstring& path, size_t maxSize, SkinFile* file) {
  utility::ScopedHandle handle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return ReadResult::NotOpened;
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(handle.get(), &size) || size.QuadPart <= 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxSize) {
    return ReadResult::Failed;
  }
  DWORD length = static_cast<DWORD>(size.QuadPart);
  std::unique_ptr<unsigned char[]> data(new (std::nothrow) unsigned char[length]);
  DWORD read = 0;
  if (!data || !::ReadFile(handle.get(), data.get(), length, &read, nullptr) || read != length) {
    return ReadResult::Failed;
  }
  file->data = std::move(data);
  file->size = length;
  return ReadResult::Read;
}

}  // namespace

SkinFile ReadDiskFile(const wchar_t* path, size_t maxSize) {
  SkinFile file;
  if (path != nullptr && path[0] != L'\0') readWholeFile(path, maxSize, &file);
  return file;
}

namespace {

bool isAbsoluteName(const wchar_t* name) { return name[0] != L'\0' && name[1] == L':'; }

bool endsWithSeparator(const std::wstring& path) {
  return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

// Whether a file-system object of that name exists; a trailing separator
// does not hide an existing directory.
bool pathExists(std::wstring path) {
  while (path.size() > 1 && endsWithSeparator(path)) path.pop_back();
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int readOsMajorVersion() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  return ::GetVersionExW(&info) ? static_cast<int>(info.dwMajorVersion) : 0;
}

}  // namespace

CResourceContext& CResourceContext::Instance() {
  static CResourceContext* context = new CResourceContext();
  return *context;
}

void CResourceContext::SetModuleHandle(ModuleHandle module) {
  module_ = module;
  osMajorVersion_ = readOsMajorVersion();
}

std::wstring CResourceContext::GetModuleDirectory() const {
  if (module_ == nullptr) return {};
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(module_, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) return {};
    if (n < name.size()) {
      name.resize(n);
      break;
    }
    name.resize(name.size() * 2);
  }
  size_t slash = name.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : name.substr(0, slash + 1);
}

void CResourceContext::SetLanguage(const wchar_t* code, const wchar_t* fallback) {
  language_ = code != nullptr && code[0] != L'\0' ? code : (fallback != nullptr ? fallback : L"");
}

void CResourceContext::SetSkinDirectory(const wchar_t* path) {
  skinDirectory_.clear();
  if (path == nullptr || path[0] == L'\0' || !pathExists(path)) return;
  skinDirectory_ = path;
  if (!endsWithSeparator(skinDirectory_)) skinDirectory_ += L'\\';
}

void CResourceContext::LoadSkinPackage(int resourceId, const wchar_t* languageFile) {
  HRSRC info = ::FindResourceW(module_, MAKEINTRESOURCEW(resourceId), L"ZIPRES");
  HGLOBAL loaded = info != nullptr ? ::LoadResource(module_, info) : nullptr;
  DWORD size = info != nullptr ? ::SizeofResource(module_, info) : 0;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes != nullptr && size > 0) {
    int result = archive_.Unpack(static_cast<const unsigned char*>(bytes), size);
    writeLog("SkinUI::CResourceContext::LoadSkinPackage", __LINE__, L"skin archive %d: %d files, result = %d",
             resourceId, static_cast<int>(archive_.Size()), result);
  } else {
    writeLog("SkinUI::CResourceContext::LoadSkinPackage", __LINE__, L"no skin archive %d, lastError = %d", resourceId,
             static_cast<int>(::GetLastError()));
  }
  if (languageFile != nullptr && languageFile[0] != L'\0') LoadLanguageFile(languageFile);
}

// A language file beside the program replaces the packaged one; one that
// is there but empty, too large or unreadable is ignored outright.
void CResourceContext::LoadLanguageFile(const wchar_t* fileName) {
  SkinFile file;
  std::wstring directory = GetModuleDirectory();
  ReadResult beside =
      directory.empty() ? ReadResult::NotOpened : readWholeFile(directory + fileName, kMaxLanguageFileSize, &file);
  if (beside == ReadResult::NotOpened) {
    file = ReadSkinFile(fileName);
    if (file.size < kMinPackagedLanguageSize) return;
  } else if (beside == ReadResult::Failed) {
    return;
  }
  bool loaded = languages_.Load(reinterpret_cast<const char*>(file.data.get()), file.size, language_);
  writeLog("SkinUI::CResourceContext::LoadLanguageFile", __LINE__, L"%s: %s, %d texts", fileName,
           loaded ? L"loaded" : L"rejected", static_cast<int>(languages_.Size()));
}

bool CResourceContext::ReadFromDisk(const wchar_t* name, SkinFile* file) const {
  bool absolute = isAbsoluteName(name);
  if (!absolute && skinDirectory_.empty()) return false;
  std::wstring path = absolute ? std::wstring(name) : skinDirectory_ + name;
  return readWholeFile(path, kMaxArchiveAllocation, file) == ReadResult::Read;
}

bool CResourceContext::ReadFromArchive(const wchar_t* name, SkinFile* file) const {
  const CSkinArchive::Bytes* bytes = archive_.Find(name);
  if (bytes == nullptr || bytes->empty()) return false;
  file->data.reset(new (std::nothrow) unsigned char[bytes->size()]);
  if (!file->data) return false;
  std::copy(bytes->begin(), bytes->end(), file->data.get());
  file->size = bytes->size();
  return true;
}

SkinFile CResourceContext::ReadSkinFile(const wchar_t* name) const {
  SkinFile file;
  if (name == nullptr || name[0] == L'\0') return file;
  if (!ReadFromDisk(name, &file)) ReadFromArchive(name, &file);
  return file;
}

unsigned char* CResourceContext::LoadSkinFile(const wchar_t* name, size_t* outSize) const {
  SkinFile file = ReadSkinFile(name);
  if (outSize != nullptr) *outSize = file.size;
  return file.data.release();
}

const wchar_t* CResourceContext::GetLanguageText(std::wstring_view key) const { return languages_.Find(key); }

const wchar_t* CResourceContext::AddLanguageText(const std::wstring& key, const std::wstring& text) {
  return languages_.Set(key, text);
}

void CResourceContext::TranslateText(std::wstring& text) const {
  if (text.size() < 2 || text[0] != L'@') return;
  if (const wchar_t* found = GetLanguageText(std::wstring_view(text).substr(1))) text = found;
}

void SetModuleHandle(ModuleHandle module) { CResourceContext::Instance().SetModuleHandle(module); }
std::wstring GetModuleDirectory() { return CResourceContext::Instance().GetModuleDirectory(); }
void SetLanguage(const wchar_t* code, const wchar_t* fallback) {
  CResourceContext::Instance().SetLanguage(code, fallback);
}
const wchar_t* GetLanguage() { return CResourceContext::Instance().GetLanguage(); }
void SetSkinDirectory(const wchar_t* path) { CResourceContext::Instance().SetSkinDirectory(path); }
const wchar_t* GetSkinDirectory() { return CResourceContext::Instance().GetSkinDirectory(); }
void LoadSkinPackage(int resourceId, const wchar_t* languageFile) {
  CResourceContext::Instance().LoadSkinPackage(resourceId, languageFile);
}
unsigned char* LoadSkinFile(const wchar_t* name, size_t* outSize) {
  return CResourceContext::Instance().LoadSkinFile(name, outSize);
}
const wchar_t* GetLanguageText(std::wstring_view key) { return CResourceContext::Instance().GetLanguageText(key); }
void TranslateText(std::wstring& text) { CResourceContext::Instance().TranslateText(text); }

}  // namespace SkinUI
