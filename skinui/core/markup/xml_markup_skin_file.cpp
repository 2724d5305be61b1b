// Loading markup through the resource context; kept apart from the parser so
// that the parser builds without the platform's resource code.
#include "skinui/core/markup/xml_markup.h"
#include "skinui/core/resources/resources.h"

namespace SkinUI {

bool CXmlMarkup::ParseSkinFile(const wchar_t* name, MarkupEncoding encoding) {
  Clear();
  SkinFile file = CResourceContext::Instance().ReadSkinFile(name);
  // The error box shows the message and the location: name the file there,
  // not whatever an earlier load left behind.
  if (!file.data) return Fail(L"Could not load file", name);
  return ParseBytes(file.data.get(), file.size, encoding);
}

}  // namespace SkinUI
