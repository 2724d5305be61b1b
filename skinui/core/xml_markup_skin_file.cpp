// Loading markup through the resource context; kept apart from the parser so
// that the parser builds without the platform's resource code.
#include "skinui/core/resources.h"
#include "skinui/core/xml_markup.h"

namespace SkinUI {

bool CXmlMarkup::ParseSkinFile(const wchar_t* name, MarkupEncoding encoding) {
  Clear();
  SkinFile file = CResourceContext::Instance().ReadSkinFile(name);
  if (!file.data) return false;
  return ParseBytes(file.data.get(), file.size, encoding);
}

}  // namespace SkinUI
