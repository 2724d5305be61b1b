#include "ui/message_box_button.h"

#include <utility>

#include "skinui/core/resources/lang_text.h"

MessageBoxButton MakeBoxButton(std::wstring text, std::function<void()> action, bool primary) {
  return MessageBoxButton{std::move(text), std::move(action), primary};
}

MessageBoxButton MakeConfirmButton(std::function<void()> action) {
  return MakeBoxButton(SkinUI::LangText("confirm"), std::move(action), true);
}
