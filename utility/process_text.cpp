#include "utility/process_text.h"

namespace utility::process {

std::wstring quotedCommandLine(const std::wstring& file, const std::wstring& parameters) {
  std::wstring line = L"\"" + file + L"\"";
  if (!parameters.empty()) line += L" " + parameters;
  return line;
}

std::wstring tokenCommandLine(const std::wstring& path, const std::optional<std::wstring>& parameters) {
  // Unquoted, a path with a blank would be split: "C:\Program Files\x.exe"
  // starts "C:\Program.exe" when one is there.
  if (!parameters) return path.find_first_of(L" \t") == std::wstring::npos ? path : L"\"" + path + L"\"";
  return L"\"" + path + L"\" " + *parameters;
}

bool isShellImage(const std::wstring& name, const std::wstring& shellPath) {
  return name == shellPath || name == L"explorer.exe";
}

}  // namespace utility::process
