#include "skinui/core/resources/resources.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "skinui/core/resources/archive_decoder.h"
#include "utility/log.h"
#include "utility/ufile.h"

namespace SkinUI {

namespace {

using utility::ufile::ReadStatus;

// A language file from the archive shorter than this is taken as empty.
constexpr size_t kMinPackagedLanguageSize = 11;

// A new copy of size bytes (above 0) as an owned skin file.
bool CopyInto(const unsigned char* data, size_t size, SkinFile* file) {
  file->data.reset(new (std::nothrow) unsigned char[size]);
  if (!file->data) return false;
  std::copy(data, data + size, file->data.get());
  file->size = size;
  return true;
}

bool IsAbsoluteName(const wchar_t* name) { return name[0] != L'\0' && name[1] == L':'; }

bool EndsWithSeparator(const std::wstring& path) {
  return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

// Whether a file-system object of that name exists; a trailing separator
// does not hide an existing directory.
bool PathExists(std::wstring path) {
  while (path.size() > 1 && EndsWithSeparator(path)) path.pop_back();
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int ReadOsMajorVersion() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  return ::GetVersionExW(&info) ? static_cast<int>(info.dwMajorVersion) : 0;
}

}  // namespace

SkinFile ReadDiskFile(const wchar_t* path, size_t maxSize) {
  SkinFile file;
  std::string bytes;
  if (path != nullptr && path[0] != L'\0' && utility::ufile::readFile(path, maxSize, bytes) == ReadStatus::Read &&
      !bytes.empty()) {
    CopyInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &file);
  }
  return file;
}

CResourceContext& CResourceContext::Instance() {
  static CResourceContext* context = new CResourceContext();
  return *context;
}

void CResourceContext::SetModuleHandle(ModuleHandle module) {
  module_ = module;
  osMajorVersion_ = ReadOsMajorVersion();
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
  if (path == nullptr || path[0] == L'\0' || !PathExists(path)) return;
  skinDirectory_ = path;
  if (!EndsWithSeparator(skinDirectory_)) skinDirectory_ += L'\\';
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
  std::wstring directory = GetModuleDirectory();
  std::string beside;
  ReadStatus status = directory.empty() ? ReadStatus::CannotOpen
                                        : utility::ufile::readFile(directory + fileName, kMaxLanguageFileSize, beside);
  SkinFile packaged;
  const char* bytes = beside.data();
  size_t size = beside.size();
  if (status == ReadStatus::CannotOpen) {
    packaged = ReadSkinFile(fileName);
    if (packaged.size < kMinPackagedLanguageSize) return;
    bytes = reinterpret_cast<const char*>(packaged.data.get());
    size = packaged.size;
  } else if (status != ReadStatus::Read || size == 0) {
    return;
  }
  bool loaded = languages_.Load(bytes, size, language_);
  writeLog("SkinUI::CResourceContext::LoadLanguageFile", __LINE__, L"%s: %s, %d texts", fileName,
           loaded ? L"loaded" : L"rejected", static_cast<int>(languages_.Size()));
}

bool CResourceContext::ReadFromDisk(const wchar_t* name, SkinFile* file) const {
  bool absolute = IsAbsoluteName(name);
  if (!absolute && skinDirectory_.empty()) return false;
  std::wstring path = absolute ? std::wstring(name) : skinDirectory_ + name;
  std::string bytes;
  if (utility::ufile::readFile(path, kMaxArchiveAllocation, bytes) != ReadStatus::Read || bytes.empty()) {
    return false;
  }
  return CopyInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), file);
}

bool CResourceContext::ReadFromArchive(const wchar_t* name, SkinFile* file) const {
  const CSkinArchive::Bytes* bytes = archive_.Find(name);
  if (bytes == nullptr || bytes->empty()) return false;
  return CopyInto(bytes->data(), bytes->size(), file);
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

const wchar_t* CResourceContext::GetLanguageText(const wchar_t* key) const {
  return key != nullptr ? languages_.Find(key) : nullptr;
}

const wchar_t* CResourceContext::AddLanguageText(const std::wstring& key, const std::wstring& text) {
  return languages_.Set(key, text);
}

// Runs each time a text is drawn: the key is looked up in place, not copied.
void CResourceContext::TranslateText(CUIString& text) const {
  if (text.GetLength() < 2 || text.GetAt(0) != L'@') return;
  if (const wchar_t* found = GetLanguageText(text.GetData() + 1)) text = found;
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
const wchar_t* GetLanguageText(const wchar_t* key) { return CResourceContext::Instance().GetLanguageText(key); }
void TranslateText(CUIString& text) { CResourceContext::Instance().TranslateText(text); }

}  // namespace SkinUI
