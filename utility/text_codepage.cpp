// The code-page conversions of utility::text, through the system's converters.
#include <windows.h>

#include "utility/text.h"

namespace utility::text {

namespace {

// Measures, then converts. converter(input, count, output, capacity) has
// the shape of the system's two converters.
template <typename Output, typename Input, typename Converter>
Output convert(const Input* input, int count, Converter converter) {
  if (input == nullptr || count < -1) return Output();
  int size = converter(input, count, nullptr, 0);
  if (size <= 0) return Output();
  Output output(static_cast<std::size_t>(size), {});
  size = converter(input, count, output.data(), size);
  if (size <= 0) return Output();
  output.resize(static_cast<std::size_t>(size));
  // With count -1 the converter includes the terminator.
  if (count == -1) output.pop_back();
  return output;
}

}  // namespace

int toWideInto(const char* bytes, int count, unsigned int codePage, wchar_t* out, int capacity) {
  if (bytes == nullptr || count == 0 || count < -1 || capacity < 0) return 0;
  int n = ::MultiByteToWideChar(codePage, 0, bytes, count, out, out != nullptr ? capacity : 0);
  return n > 0 ? n : 0;
}

std::wstring toWide(const char* bytes, int count, unsigned int codePage) {
  return convert<std::wstring>(bytes, count, [codePage](const char* in, int n, wchar_t* out, int capacity) {
    return toWideInto(in, n, codePage, out, capacity);
  });
}

std::string toMultiByte(const wchar_t* text, int count, unsigned int codePage) {
  return convert<std::string>(text, count, [codePage](const wchar_t* in, int n, char* out, int capacity) {
    return ::WideCharToMultiByte(codePage, 0, in, n, out, capacity, nullptr, nullptr);
  });
}

std::wstring ansiToWide(const std::string& bytes) {
  return toWide(bytes.data(), static_cast<int>(bytes.size()), CP_ACP);
}

std::wstring utf8ToWide(const std::string& bytes) {
  return toWide(bytes.data(), static_cast<int>(bytes.size()), CP_UTF8);
}

std::string wideToAnsi(const std::wstring& text) {
  return toMultiByte(text.data(), static_cast<int>(text.size()), CP_ACP);
}

std::string ansiToUtf8(const std::string& bytes) {
  std::wstring wide = ansiToWide(bytes);
  if (wide.empty()) return std::string();
  return toMultiByte(wide.data(), static_cast<int>(wide.size()), CP_UTF8);
}

}  // namespace utility::text
