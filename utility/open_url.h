#pragma once
// Opening a web page with the user's default handler.

#include <string>

namespace utility::usystem {

// Opens url with its registered handler, falling back once to iexplore.exe
// (by its full path under Program Files).
// Non-zero when the shell accepted one of the two.
int openUrl(const std::wstring& url);

}  // namespace utility::usystem
