#include "tests/skinui/control/control_test_support.h"

#include <vector>

#include "skinui/core/window/manager_ui.h"

namespace vxtest {

POINT Centre(const SkinUI::CControlUI* control) {
  const RECT& r = control->GetBounds();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PrintWindow(TestWindow& window, Surface& surface) {
  window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  ::GdiFlush();
}

bool MoveMouseTo(TestWindow& window, POINT point) {
  POINT screen = point;
  ::ClientToScreen(window.GetHWND(), &screen);
  if (!::SetCursorPos(screen.x, screen.y)) return false;
  window.PostMouse(WM_MOUSEMOVE, point.x, point.y);
  return PumpUiUntil([&] {
    const POINT seen = window.GetManager().GetMousePos();
    return seen.x == point.x && seen.y == point.y;
  });
}

bool HoverOver(TestWindow& window, const wchar_t* name) {
  SkinUI::CControlUI* control = window.Find(name);
  if (control == nullptr || !MoveMouseTo(window, Centre(control))) return false;
  return PumpUiUntil([&] { return window.GetManager().GetHoverControl() == control; });
}

bool ClickAt(TestWindow& window, const wchar_t* name, int count) {
  SkinUI::CControlUI* control = window.Find(name);
  if (control == nullptr) return false;
  const POINT at = Centre(control);
  window.PostMouse(WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
  window.PostMouse(WM_LBUTTONUP, at.x, at.y);
  return PumpUiUntil([&] { return window.log.Count(L"click") >= count; });
}

std::wstring SolidImage(ImageFolder& folder, const std::wstring& name, int width, int height, uint32_t color) {
  const std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, color);
  return L"file='" + folder.Write(name, width, height, pixels) + L"'";
}

std::pair<int, int> InkColumns(const Surface& surface, int y0, int y1, uint32_t rgb) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < surface.width(); ++x) {
    for (int y = y0; y < y1; ++y) {
      if ((surface.At(x, y) & 0xFFFFFF) == rgb) continue;
      if (first < 0) first = x;
      last = x;
      break;
    }
  }
  return {first, last};
}

}  // namespace vxtest
