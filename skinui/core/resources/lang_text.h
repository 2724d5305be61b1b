#pragma once
// Language text for texts that the screens compose themselves.

namespace SkinUI {

// The current language's text of key (UTF-8, at most 127 characters are
// used). A key the table lacks is entered as its own text, so it shows as
// the key. Never null; the text stays valid until the key is entered again
// or the language table is loaded again (the program does neither after
// start-up, so for it the text lives as long as the process).
const wchar_t* LangText(const char* key);

}  // namespace SkinUI
