#pragma once
// The LZMA SDK's 7z reader as the extraction glue sees it. Only the glue's
// .cpp files include this header, so no SDK type leaks into the interfaces
// that the resource context and the screens use.

#include "7z.h"
#include "7zCrc.h"

namespace SkinUI {

// The opened archive database. The SDK's type has no tag, so headers
// forward-declare this wrapper instead.
struct ArchiveDatabase {
  CSzArEx db;
};

}  // namespace SkinUI
