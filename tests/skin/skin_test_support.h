#pragma once
// The installer's packed skin (resource 129 of this test program) opened
// through the framework's resource context, as the installer opens it.

#include <string>
#include <vector>

namespace vxtest {

// Sets the module, the language code and an empty skin directory, then
// unpacks resource 129 and loads its language table. Call again with
// another code to switch the language of every text.
void OpenPackedSkin(const wchar_t* language);

// The bytes of a file of the packed skin ("" when it is not there).
std::string PackedFile(const wchar_t* name);

// The rows of language.tsv after its two header rows, split at TABs.
std::vector<std::vector<std::wstring>> LanguageRows();

// The names of every file in the packed skin.
std::vector<std::wstring> PackedNames();

// The 19 language columns in the order the table holds them.
extern const std::vector<std::wstring> kLanguageCodes;

}  // namespace vxtest
