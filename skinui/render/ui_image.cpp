#include "skinui/render/ui_image.h"

namespace SkinUI {

void UIImageDesc::Reset(const wchar_t* text) {
  *this = UIImageDesc{};
  description = text;
}

}  // namespace SkinUI
