#include "app/file_name_params.h"

#include "utility/text.h"

FileNameParams parseFileNameParams(const std::wstring& baseName) {
  const std::vector<std::wstring> pieces = utility::text::split(baseName, L"_");
  FileNameParams params;
  if (pieces.size() < 4) return params;
  params.present = true;
  params.tag = pieces[0];
  params.language = pieces[1];
  params.channel = pieces[2];
  // A 3rd piece of digits is always the channel; otherwise, with a 5th
  // piece present, it names the package and the channel moves one along.
  if (pieces.size() >= 5 && !utility::text::isAllDigits(pieces[2])) {
    params.package = pieces[2];
    params.channel = pieces[3];
  }
  return params;
}
