#include "tests/ui/message_box_test_support.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>

#include "app/app_model.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/core/window/window_impl_base.h"

namespace vxtest {
namespace {

constexpr wchar_t kRegistryRoot[] = L"Software\\VxUiMessageBoxTests";
constexpr wchar_t kOwnerSkin[] =
    LR"(<Window size="520,360"><VerticalLayout bkcolor="#FF406080"><TestBox name="body"/></VerticalLayout></Window>)";

struct BoxWorld {
  LoopbackState loopback;
  std::string prefix;
  HKEY registry = nullptr;
};

BoxWorld& World() {
  static BoxWorld world;
  return world;
}

// The skin of the boxes and the process-wide model, once for the program.
class BoxEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    BoxWorld& world = World();
    ASSERT_TRUE(loadLoopbackState(world.loopback));
    world.prefix = uniquePrefix();
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &world.registry, nullptr),
              ERROR_SUCCESS);
    // The skin the program carries (resource 129), in English.
    SkinUI::SetModuleHandle(::GetModuleHandleW(nullptr));
    SkinUI::SetLanguage(L"en_US", L"en_US");
    SkinUI::SetSkinDirectory(L"");
    SkinUI::LoadSkinPackage(129, L"language.tsv");
    ModelSettings settings;
    settings.programPath = std::wstring(L"C:\\users\\Downloads\\vandorix9_kr_") + kBoxChannelId + L"_x.exe";
    settings.registryRoot = world.registry;
    // Over TLS like the shipping collector; the test CA is trusted for the run.
    const std::string collector = httpsUrl(world.loopback.httpsPort, world.prefix);
    settings.collectorBase = std::wstring(collector.begin(), collector.end());
    CAppModel::setInstanceSettings(settings);
    CAppModel::instance().init(nullptr, ::GetModuleHandleW(nullptr));
    ASSERT_EQ(CAppModel::instance().getChannelId(), kBoxChannelId);
  }

  void TearDown() override {
    ::RegCloseKey(World().registry);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryRoot);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryRoot);
  }
};

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new BoxEnvironment);

struct BoxSearch {
  const wchar_t* className;
  HWND owner;
  HWND first = nullptr;
  int count = 0;
};

BOOL CALLBACK VisitThreadWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (std::wcscmp(name, search->className) == 0 && ::GetWindow(window, GW_OWNER) == search->owner) {
    if (search->first == nullptr) search->first = window;
    ++search->count;
  }
  return TRUE;
}

BoxSearch SearchBoxes(const wchar_t* className, HWND owner) {
  BoxSearch search{className, owner};
  ::EnumThreadWindows(::GetCurrentThreadId(), &VisitThreadWindow, reinterpret_cast<LPARAM>(&search));
  return search;
}

}  // namespace

const LoopbackState& BoxLoopback() { return World().loopback; }

const std::string& BoxCollectorPrefix() { return World().prefix; }

OwnerWindow::OwnerWindow() : TestWindow(kOwnerSkin) {}

HWND FindBox(const wchar_t* className, HWND owner) { return SearchBoxes(className, owner).first; }

int CountBoxes(const wchar_t* className, HWND owner) { return SearchBoxes(className, owner).count; }

SkinUI::CControlUI* BoxControl(HWND box, const wchar_t* name) {
  // The window object rides in the window's user data.
  auto* object = reinterpret_cast<SkinUI::CWindowWnd*>(::GetWindowLongPtrW(box, GWLP_USERDATA));
  return dynamic_cast<SkinUI::WindowImplBase&>(*object).GetManager().FindControl(name);
}

POINT BoxCentre(HWND box, const wchar_t* name) {
  const RECT& r = BoxControl(box, name)->GetBounds();
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ClickBoxControl(HWND box, const wchar_t* name) {
  SkinUI::CControlUI* control = BoxControl(box, name);
  // A box just shown has not been laid out yet.
  if (control == nullptr || !PumpUiUntil([control] { return control->GetWidth() > 0; })) return false;
  const POINT at = BoxCentre(box, name);
  ::PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  ::PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  return true;
}

bool PumpUntilGone(HWND box) {
  return PumpUiUntil([box] { return !::IsWindow(box); });
}

bool PumpUntilQuit(unsigned limitMs) {
  bool quit = false;
  PumpUiUntil(
      [&quit] {
        MSG message{};
        if (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) quit = true;
        return quit;
      },
      limitMs);
  return quit;
}

bool CaptureBoxScreen(const char* file, Screenshot* shot) {
  return CaptureScreen(std::string(VX_SCREENSHOT_DIR "/") + file, shot);
}

}  // namespace vxtest
