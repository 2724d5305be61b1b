#pragma once
// Text functions: code-page conversions and small string helpers. None
// keeps state; all may be called from any thread.

#include <map>
#include <string>
#include <vector>

namespace utility::text {

// count bytes of the given code page as UTF-16; count -1 means up to the
// NUL. Empty for null input, another negative count or a failed conversion.
std::wstring toWide(const char* bytes, int count, unsigned int codePage);
// Converts count bytes of the given code page into out, which has room for
// capacity units (no terminator is added); with out null, only measures.
// Returns the units written or needed; 0 for null or empty input, a negative
// count or capacity, or a failed conversion (one that does not fit, too).
// Allocates nothing, for callers that convert into their own buffers.
int toWideInto(const char* bytes, int count, unsigned int codePage, wchar_t* out, int capacity);
// count UTF-16 units in the given code page; same rules as toWide.
std::string toMultiByte(const wchar_t* text, int count, unsigned int codePage);
// The system ANSI code page to UTF-16.
std::wstring ansiToWide(const std::string& bytes);
// UTF-8 to UTF-16.
std::wstring utf8ToWide(const std::string& bytes);
// UTF-16 to the system ANSI code page.
std::string wideToAnsi(const std::wstring& text);
// The system ANSI code page to UTF-8; empty when the first step gives nothing.
std::string ansiToUtf8(const std::string& bytes);

// s without leading and trailing spaces (U+0020 only).
std::wstring trim(const std::wstring& s);
// s with ASCII letters lower-cased, everything else unchanged.
std::wstring toLower(const std::wstring& s);
// The trimmed pieces of text between separators, empty ones included; an
// empty list when text or separator is empty.
std::vector<std::wstring> split(const std::wstring& text, const std::wstring& separator);
// key (trimmed, lower-cased) = value (trimmed) for each item holding
// separator; a later key replaces an earlier one, empty keys are skipped.
std::map<std::wstring, std::wstring> parsePairs(const std::vector<std::wstring>& items, const std::wstring& separator);
// True when every character is a decimal digit (also for the empty string).
bool isAllDigits(const std::wstring& s);

}  // namespace utility::text
