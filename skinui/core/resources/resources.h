#pragma once
// The framework's process-wide resource context: the module that carries
// the skin archive, the language, the override skin directory, the
// unpacked skin and the language table. Written once on the UI thread
// during start-up, read afterwards.

#include <cstddef>
#include <memory>
#include <string>

#include "skinui/core/markup/ui_string.h"
#include "skinui/core/resources/language_table.h"
#include "skinui/core/resources/skin_archive.h"

struct HINSTANCE__;

namespace SkinUI {

using ModuleHandle = HINSTANCE__*;

// Resource id of the skin archive (type "ZIPRES") in the program.
constexpr int kSkinArchiveId = 129;
// Largest language file read from beside the program.
constexpr size_t kMaxLanguageFileSize = size_t{4} << 20;

// The bytes of one skin file, owned.
struct SkinFile {
  std::unique_ptr<unsigned char[]> data;
  size_t size = 0;
};

class CResourceContext {
 public:
  // The one context of the process.
  static CResourceContext& Instance();

  // Stores the module whose resources hold the skin and reads the OS major version.
  void SetModuleHandle(ModuleHandle module);
  // The stored module; null before SetModuleHandle.
  ModuleHandle GetModule() const { return module_; }
  // The OS major version read by SetModuleHandle; 0 before it.
  int GetOsMajorVersion() const { return osMajorVersion_; }
  // The module's file name up to and including the last '\'; empty without a module.
  std::wstring GetModuleDirectory() const;
  // Stores code, or fallback when code is null or empty.
  void SetLanguage(const wchar_t* code, const wchar_t* fallback);
  // The current language code.
  const wchar_t* GetLanguage() const { return language_.c_str(); }
  // Stores path with a trailing '\' when it names an existing file-system
  // object; an empty path otherwise.
  void SetSkinDirectory(const wchar_t* path);
  // The override directory, empty or ending in a separator.
  const wchar_t* GetSkinDirectory() const { return skinDirectory_.c_str(); }
  // Unpacks the "ZIPRES" resource resourceId and loads the language table
  // from languageFile beside the program, else from the skin.
  void LoadSkinPackage(int resourceId, const wchar_t* languageFile);
  // A new copy of the skin file name (skin directory first, then the
  // archive) and its size, or null with size 0. Free it with delete[].
  unsigned char* LoadSkinFile(const wchar_t* name, size_t* outSize) const;
  // LoadSkinFile with an owning result.
  SkinFile ReadSkinFile(const wchar_t* name) const;
  // The text of key in the language table, or null (also for a null key).
  // Allocates nothing; the text stays valid until key is entered again or
  // the language table is loaded again.
  const wchar_t* GetLanguageText(const wchar_t* key) const;
  // Enters text under key and returns the stored text, valid as above.
  const wchar_t* AddLanguageText(const std::wstring& key, const std::wstring& text);
  // Replaces "@key" by the key's text when the table has one. The lookup
  // allocates nothing; the copy needs the heap only for a text longer than
  // the string's storage.
  void TranslateText(CUIString& text) const;
  // The header rows of the loaded language file.
  const LanguageHeader& GetLanguageHeader() const { return languages_.Header(); }
  // The unpacked skin archive.
  const CSkinArchive& GetSkinArchive() const { return archive_; }

 private:
  void LoadLanguageFile(const wchar_t* fileName);
  bool ReadFromDisk(const wchar_t* name, SkinFile* file) const;
  bool ReadFromArchive(const wchar_t* name, SkinFile* file) const;

  ModuleHandle module_ = nullptr;
  int osMajorVersion_ = 0;
  std::wstring skinDirectory_;
  std::wstring language_;
  CSkinArchive archive_;
  CLanguageTable languages_;
};

// The whole file at path when it has 1..maxSize bytes; empty otherwise.
SkinFile ReadDiskFile(const wchar_t* path, size_t maxSize);

// The process-wide context's operations, for the framework and the screens.
// Each forwards to CResourceContext::Instance().

// Stores the module that carries the skin and reads the OS major version.
void SetModuleHandle(ModuleHandle module);
// The module's directory with its trailing '\'; empty without a module.
std::wstring GetModuleDirectory();
// Stores code, or fallback when code is empty.
void SetLanguage(const wchar_t* code, const wchar_t* fallback);
// The current language code.
const wchar_t* GetLanguage();
// Stores the override skin directory when it exists, else an empty one.
void SetSkinDirectory(const wchar_t* path);
// The override skin directory, empty or ending in a separator.
const wchar_t* GetSkinDirectory();
// Unpacks the skin archive resource and loads the language table.
void LoadSkinPackage(int resourceId, const wchar_t* languageFile);
// A new copy of a skin file, or null with size 0; free it with delete[].
unsigned char* LoadSkinFile(const wchar_t* name, size_t* outSize);
// The text of key, or null (also for a null key); valid until key is
// entered again or the language table is loaded again.
const wchar_t* GetLanguageText(const wchar_t* key);
// Replaces "@key" by the key's text when there is one.
void TranslateText(CUIString& text);

}  // namespace SkinUI
