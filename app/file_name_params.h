#pragma once
// The parameters a download page encodes in the installer's file name:
// "<variant tag>_<language>_<channel>_<anything>" or, with a package name,
// "<variant tag>_<language>_<package>_<channel>_<anything>". Pure text work.

#include <string>

struct FileNameParams {
  // False when the base name has fewer than four pieces: nothing applies.
  bool present = false;
  std::wstring tag;
  std::wstring language;
  std::wstring channel;
  std::wstring package;
};

// Splits baseName (no directory, no extension) at "_". A copy-number suffix
// a browser adds (" (1)") lands in a trailing piece that is ignored.
FileNameParams parseFileNameParams(const std::wstring& baseName);
