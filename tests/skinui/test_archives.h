#pragma once
// Archives linked into the test program and helpers shared by the skin
// resource tests.

#include <string>
#include <vector>

namespace vxtest {

using Bytes = std::vector<unsigned char>;

// "ZIPRES" resources of this program, all packed from data/ at build time.
constexpr int kSkinLzma2 = 129;    // data/skin, LZMA2
constexpr int kSkinCopy = 130;     // data/skin, stored
constexpr int kEscapeCopy = 131;   // data/escape, stored, uncompressed header
constexpr int kSmallWindow = 132;  // one 12000-byte file, LZMA2 with a 4 KiB dictionary
constexpr int kSkinBcj = 134;      // data/skin, BCJ + LZMA2

// The bytes of a "ZIPRES" resource of this program; empty when absent.
Bytes ResourceBytes(int id);
// The bytes of a file as Bytes; empty when it cannot be read.
Bytes ReadFileBytes(const std::wstring& path);
// The source file of the test skin with a '/'-separated relative name.
Bytes SkinSource(const std::wstring& name);
// The source file of the archive kSmallWindow.
Bytes WindowSource();
// Offset of the first occurrence of text in bytes; npos when absent.
size_t FindText(const Bytes& bytes, const std::string& text);
// CRC32 as 7z stores it.
unsigned Crc32(const unsigned char* data, size_t size);

}  // namespace vxtest
