// The main installer window under Wine, built from the program's own skin
// over the process-wide model (version-9 variant, English): the consent
// page, the custom-path mode, the install path's completion and error
// state, the licence tick, the checks before the install, the download
// progress, the close request on each page, and screenshots.
#include "ui/app_main_frame.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>

#include "app/app_model.h"
#include "app/config_imp.h"
#include "skinui/control/option_ui.h"
#include "skinui/control/progress_ui.h"
#include "skinui/core/resources/lang_text.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "tests/common/temp_dir.h"
#include "tests/skinui/core/window_test_support.h"
#include "ui/sdk_api_impl.h"
#include "utility/usystem_drives.h"

namespace {

using vxtest::PumpUiUntil;

constexpr wchar_t kRegistryRoot[] = L"Software\\VxUiMainFrameTests";
constexpr wchar_t kProgramName[] = L"vandorix9_en_2033_x.exe";
constexpr wchar_t kSubDir[] = L"Vandorix\\Vandorix9\\";
constexpr wchar_t kStartPath[] = L"C:\\Program Files\\Vandorix\\Vandorix9\\";
constexpr wchar_t kExitClass[] = L"vdbox";
constexpr wchar_t kBoxClass[] = L"MessageBox";
constexpr int kStartPage = 4;

// The skin the program carries and the model read from a program name in a
// temp folder, once for the program.
class MainFrameEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<vxtest::TempDir>();
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &registry_,
                                nullptr),
              ERROR_SUCCESS);
    SkinUI::SetModuleHandle(::GetModuleHandleW(nullptr));
    SkinUI::SetLanguage(L"en_US", L"en_US");
    SkinUI::SetSkinDirectory(L"");
    SkinUI::LoadSkinPackage(129, L"language.tsv");
    ModelSettings settings;
    settings.programPath = folder_->file(kProgramName);
    settings.registryRoot = registry_;
    // Nothing listens there: no event of these tests leaves the machine.
    settings.collectorBase = L"http://127.0.0.1:9";
    CAppModel::setInstanceSettings(settings);
    CAppModel::instance().init(nullptr, ::GetModuleHandleW(nullptr));
    ASSERT_TRUE(ConfigImp::instance().isPlayer9());
    ASSERT_EQ(ConfigImp::instance().getLanguage(), L"en");
    ASSERT_EQ(ConfigImp::instance().getInstallSubDir(), kSubDir);
    ASSERT_TRUE(CAppModel::instance().getPackage().empty());
  }

  void TearDown() override {
    ::RegCloseKey(registry_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kRegistryRoot);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryRoot);
    folder_.reset();
  }

 private:
  std::unique_ptr<vxtest::TempDir> folder_;
  HKEY registry_ = nullptr;
};

testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new MainFrameEnvironment);

// The control named name of the skinned window (null when absent).
SkinUI::CControlUI* ControlOf(HWND window, const wchar_t* name) {
  auto* object = reinterpret_cast<SkinUI::CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr) return nullptr;
  return dynamic_cast<SkinUI::WindowImplBase&>(*object).GetManager().FindControl(name);
}

std::wstring TextOf(HWND window, const wchar_t* name) {
  SkinUI::CControlUI* control = ControlOf(window, name);
  return control != nullptr ? std::wstring(control->GetText().GetData()) : L"<no " + std::wstring(name) + L">";
}

// Once laid out, a left click posted at the control's centre.
bool Click(HWND window, const wchar_t* name) {
  SkinUI::CControlUI* control = ControlOf(window, name);
  if (control == nullptr || !PumpUiUntil([control] { return control->GetWidth() > 0; })) return false;
  const RECT& r = control->GetBounds();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(window, WM_LBUTTONUP, 0, at);
  return true;
}

struct OwnedSearch {
  const wchar_t* className;
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<OwnedSearch*>(data);
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (std::wcscmp(name, search->className) != 0 || ::GetWindow(window, GW_OWNER) != search->owner) return TRUE;
  search->found = window;
  return FALSE;
}

// A window of this thread of class className owned by owner; null when none.
HWND FindOwned(const wchar_t* className, HWND owner) {
  OwnedSearch search{className, owner};
  ::EnumThreadWindows(::GetCurrentThreadId(), &VisitWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Takes the quit message when one is queued or arrives within limitMs.
bool TakeQuit(unsigned limitMs) {
  bool quit = false;
  PumpUiUntil(
      [&quit] {
        MSG message{};
        quit = quit || ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        return quit;
      },
      limitMs);
  return quit;
}

bool IsValid(const std::wstring& path) { return utility::usystem::isValidInstallPath(path); }

class MainFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    CAppModel::instance().setInstallPath(kStartPath);
    frame_ = new CAppMainFrame([this] { deleted_ = true; });
    ASSERT_NE(frame_->Create(nullptr, L"", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0), nullptr);
    window_ = frame_->GetHWND();
    frame_->CenterWindow();
    frame_->ShowWindow(true, true);
    ASSERT_TRUE(PumpUiUntil([this] { return Control(L"installnowbtn")->GetWidth() > 0; }));
    // The offer module's start runs on a pool thread; let it end before the window goes.
    ASSERT_TRUE(PumpUiUntil([] { return SDKAPIImpl::instance().ready(); }));
  }

  void TearDown() override {
    if (!deleted_) ::DestroyWindow(window_);
    EXPECT_TRUE(deleted_);
    EXPECT_TRUE(TakeQuit(2000));
  }

  SkinUI::CControlUI* Control(const wchar_t* name) {
    SkinUI::CControlUI* control = ControlOf(window_, name);
    EXPECT_NE(control, nullptr) << std::wstring(name);
    return control;
  }
  bool Visible(const wchar_t* name) { return Control(name)->IsVisible(); }
  bool InstallEnabled() { return Control(L"installnowbtn")->IsEnabled(); }
  auto* Accept() { return static_cast<SkinUI::COptionUI*>(Control(L"acceptOpt")->FindInterface(L"Option")); }
  int BarValue() {
    return static_cast<SkinUI::CProgressUI*>(Control(L"installbar")->FindInterface(L"Progress"))->GetValue();
  }
  int Page() {
    return static_cast<SkinUI::CTabLayoutUI*>(Control(L"maintab")->FindInterface(L"TabLayout"))->GetCurrentPage();
  }
  // Clicks the accept box and waits until its state changed.
  void ToggleAccept() {
    const bool was = Accept()->IsSelected();
    ASSERT_TRUE(Click(window_, L"acceptOpt"));
    ASSERT_TRUE(PumpUiUntil([this, was] { return Accept()->IsSelected() != was; }));
  }
  void Capture(const char* file) {
    vxtest::PumpUiFor(400);
    vxtest::Screenshot shot;
    ASSERT_TRUE(vxtest::CaptureScreen(std::string(VX_SCREENSHOT_DIR "/") + file, &shot));
    // Some pixel of the window is not the screen's background.
    RECT r{};
    ::GetWindowRect(window_, &r);
    EXPECT_NE(shot.At(r.left + 20, r.top + 60), shot.At(2, 2)) << file;
  }
  // Dismisses the box of boxClass through its control button.
  void Dismiss(const wchar_t* boxClass, const wchar_t* button) {
    HWND box = FindOwned(boxClass, window_);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(Click(box, button));
    ASSERT_TRUE(PumpUiUntil([box] { return !::IsWindow(box); }));
    EXPECT_TRUE(::IsWindowEnabled(window_));
  }

  CAppMainFrame* frame_ = nullptr;
  HWND window_ = nullptr;
  bool deleted_ = false;
};

TEST_F(MainFrameTest, OpensOnTheConsentPageWithTheLanguageTexts) {
  wchar_t title[256] = {};
  ::GetWindowTextW(window_, title, 256);
  EXPECT_STREQ(title, SkinUI::LangText("window_title"));
  EXPECT_EQ(TextOf(window_, L"protobtn"), L"<u>" + std::wstring(SkinUI::LangText("protocol_accept_btn")) + L"</u>");
  EXPECT_EQ(Page(), 0);
  EXPECT_EQ(TextOf(window_, L"pathedit"), kStartPath);
  EXPECT_EQ(TextOf(window_, L"installnowbtn"), SkinUI::LangText("install_fast"));
  EXPECT_TRUE(Accept()->IsSelected());
  EXPECT_TRUE(InstallEnabled());
  EXPECT_FALSE(Visible(L"errorLayout"));
  EXPECT_FALSE(Visible(L"userdefinui"));
  EXPECT_TRUE(Visible(L"userdefinLayout2"));
  // The version-9 logo.
  EXPECT_TRUE(Visible(L"logo9Con"));
  EXPECT_FALSE(Visible(L"logoCon"));
  Capture("main_frame_consent.ppm");
}

TEST_F(MainFrameTest, CustomPathModeShowsThePathRowAndIsReadBackFromTheControls) {
  struct Case {
    bool on;
    const char* installKey;
  } cases[] = {{true, "install_now"}, {false, "install_fast"}, {true, "install_now"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on);
    frame_->setCustomPathMode(c.on);
    // The path state's refresh re-applies whatever mode the controls show.
    for (int pass = 0; pass < 2; ++pass) {
      EXPECT_EQ(Visible(L"userdefinui"), c.on);
      EXPECT_EQ(Visible(L"userdefinLayout2"), !c.on);
      EXPECT_EQ(Visible(L"backLayout"), c.on);
      EXPECT_EQ(TextOf(window_, L"installnowbtn"), SkinUI::LangText(c.installKey));
      frame_->refreshPathState();
    }
  }
  Capture("main_frame_custom_path.ppm");
  // The row's own buttons switch the mode too.
  ASSERT_TRUE(Click(window_, L"backBtn"));
  EXPECT_TRUE(PumpUiUntil([this] { return !Visible(L"userdefinui"); }));
  ASSERT_TRUE(Click(window_, L"userdefineBtn"));
  EXPECT_TRUE(PumpUiUntil([this] { return Visible(L"userdefinui"); }));
}

TEST_F(MainFrameTest, ApplyInstallPathCompletesNormalisesWhenValidAndShowsTheErrorState) {
  ASSERT_EQ(::GetDriveTypeW(L"Q:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR)) << "drive Q: must not exist";
  frame_->setCustomPathMode(true);
  struct Case {
    const wchar_t* typed;
    std::wstring stored;
    bool valid;
  } cases[] = {
      {L"C:", std::wstring(L"C:\\") + kSubDir, true},
      {L"C:\\", std::wstring(L"C:\\") + kSubDir, true},
      {L"C:\\Games", std::wstring(L"C:\\Games\\") + kSubDir, true},
      {L"C:\\Games\\Vandorix", L"C:\\Games\\Vandorix\\", true},
      {L"C:\\Tools\\vxrunner", L"C:\\Tools\\vxrunner\\", true},
      {L"C:/Games", std::wstring(L"C:\\Games\\") + kSubDir, true},
      {L"C:\\\\Games", std::wstring(L"C:\\Games\\") + kSubDir, true},
      // Not valid: stored as completed, slashes and all.
      {L"C:/Ga*mes", std::wstring(L"C:/Ga*mes\\") + kSubDir, false},
      {L"Q:/Games", std::wstring(L"Q:/Games\\") + kSubDir, false},
      // The product name at the very start does not count.
      {L"Vandorix", std::wstring(L"Vandorix\\") + kSubDir, false},
      {L"", std::wstring(L"\\") + kSubDir, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "typed [" << std::wstring(c.typed) << "]");
    ASSERT_EQ(IsValid(c.stored), c.valid);
    frame_->applyInstallPath(c.typed);
    EXPECT_EQ(CAppModel::instance().getInstallPath(), c.stored);
    EXPECT_EQ(TextOf(window_, L"pathedit"), c.stored);
    EXPECT_EQ(Visible(L"errorLayout"), !c.valid);
    EXPECT_EQ(InstallEnabled(), c.valid);
    // The mode stays as it was.
    EXPECT_TRUE(Visible(L"userdefinui"));
    if (!c.valid && c.typed[0] == L'Q') Capture("main_frame_error_path.ppm");
  }
  // The path the model already has is left alone, even uncompleted.
  CAppModel::instance().setInstallPath(L"C:\\Games");
  frame_->applyInstallPath(L"C:\\Games");
  EXPECT_EQ(CAppModel::instance().getInstallPath(), L"C:\\Games");
}

TEST_F(MainFrameTest, TheLicenceTickGatesTheInstallButtonWhileThePathIsValid) {
  ToggleAccept();
  EXPECT_FALSE(Accept()->IsSelected());
  EXPECT_FALSE(InstallEnabled());
  // Ticked again over an invalid path: still disabled.
  frame_->applyInstallPath(L"Q:\\Games");
  ToggleAccept();
  EXPECT_TRUE(Accept()->IsSelected());
  EXPECT_FALSE(InstallEnabled());
  frame_->applyInstallPath(L"C:\\Games");
  EXPECT_TRUE(InstallEnabled());
  ToggleAccept();
  EXPECT_FALSE(InstallEnabled());
  ToggleAccept();
  EXPECT_TRUE(InstallEnabled());
}

TEST_F(MainFrameTest, CheckBeforeInstallTellsWhyTheInstallCannotStart) {
  ASSERT_GE(utility::usystem::getDiskFreeSpaceMB(L"C:\\"), 1024.0) << "the check needs 1 GiB free on C:";
  struct Case {
    bool accepted;
    const wchar_t* path;
    const char* problem;  // null: no box, the install may start
  } cases[] = {
      {false, L"C:\\Games", "accept_protocol"},
      {false, L"Q:\\Games", "accept_protocol"},
      {true, L"Q:\\Games", "error_path"},
      {true, L"C:\\Games", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.path) << " accepted " << c.accepted);
    frame_->applyInstallPath(c.path);
    if (Accept()->IsSelected() != c.accepted) ToggleAccept();
    EXPECT_EQ(frame_->checkBeforeInstall(), c.problem == nullptr);
    HWND box = FindOwned(kBoxClass, window_);
    if (c.problem == nullptr) {
      EXPECT_EQ(box, nullptr);
      continue;
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box, L"titlelabel"), SkinUI::LangText("error"));
    EXPECT_EQ(TextOf(box, L"descriptlabel"), SkinUI::LangText(c.problem));
    EXPECT_FALSE(::IsWindowEnabled(window_));
    Dismiss(kBoxClass, L"closebtn");
  }
}

TEST_F(MainFrameTest, DownloadProgressSetsTheAmountTheStatusAndTheBar) {
  frame_->onOffersFinished();
  EXPECT_EQ(Page(), 2);
  const std::wstring downloading = SkinUI::LangText("downloading");
  struct Case {
    int percent;
    int received;
    int total;
    const wchar_t* amount;
    int bar;
  } cases[] = {
      {1, 512, 10 * 1024 * 1024, L"512.00B/10.00M", 3},
      {37, 1572864 * 12, 52428800, L"18.00M/50.00M", 23},
      {3, 1572864, 52428800, L"1.50M/50.00M", 3},
      {100, 52428800, 52428800, L"50.00M/50.00M", 63},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    frame_->onDownloadProgress(c.percent, c.received, c.total);
    EXPECT_EQ(TextOf(window_, L"downloadProgeLabel"), c.amount);
    EXPECT_EQ(TextOf(window_, L"loadprogresslabel"), downloading + L"(" + std::to_wstring(c.percent) + L"%)");
    EXPECT_EQ(BarValue(), c.bar);
  }
  // Nothing received or no total yet: all stays.
  frame_->onDownloadProgress(50, 0, 52428800);
  frame_->onDownloadProgress(50, 1024, 0);
  EXPECT_EQ(TextOf(window_, L"downloadProgeLabel"), L"50.00M/50.00M");
  EXPECT_EQ(BarValue(), 63);
  // The percentage of the other download path, at least 3.
  frame_->onDownloadPercent(1);
  EXPECT_EQ(BarValue(), 3);
  frame_->onDownloadPercent(40);
  EXPECT_EQ(BarValue(), 40);
}

// Before any progress and after the download the exit question; in between
// the slow-download box.
TEST_F(MainFrameTest, TheCloseRequestAsksAccordingToTheProgress) {
  frame_->onOffersFinished();
  struct Case {
    int percent;  // 0: no progress reported
    const wchar_t* boxClass;
    const wchar_t* dismiss;
    const char* text;
  } cases[] = {{0, kExitClass, L"btnRight", "exit"},
               {37, kBoxClass, L"closebtn", "download_slowtip"},
               {100, kExitClass, L"btnRight", "exit"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    if (c.percent > 0) frame_->onDownloadProgress(c.percent, c.percent * 1048576, 100 * 1048576);
    if (c.percent == 37) Capture("main_frame_progress_37.ppm");
    ASSERT_TRUE(Click(window_, L"closebtn"));
    ASSERT_TRUE(PumpUiUntil([this, &c] { return FindOwned(c.boxClass, window_) != nullptr; }));
    HWND box = FindOwned(c.boxClass, window_);
    EXPECT_EQ(TextOf(box, L"descriptlabel"), SkinUI::LangText(c.text));
    // Only the one box.
    EXPECT_EQ(FindOwned(c.boxClass == kExitClass ? kBoxClass : kExitClass, window_), nullptr);
    Dismiss(c.boxClass, c.dismiss);
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_FALSE(deleted_);
  }
}

TEST_F(MainFrameTest, AfterTheInstallTheStartPageClosesWithoutAQuestion) {
  frame_->onOffersFinished();
  frame_->onDownloadProgress(37, 37 * 1048576, 100 * 1048576);
  const int creeping = 70;
  frame_->onDownloadPercent(creeping);
  // Not started: the bar stays where it was.
  frame_->onInstallFinish(false);
  EXPECT_EQ(Page(), kStartPage);
  EXPECT_EQ(BarValue(), creeping);
  EXPECT_TRUE(Visible(L"startBtn"));
  Capture("main_frame_start_page.ppm");
  ASSERT_TRUE(Click(window_, L"closebtn"));
  EXPECT_TRUE(TakeQuit(5000));
  EXPECT_EQ(FindOwned(kExitClass, window_), nullptr);
  EXPECT_EQ(FindOwned(kBoxClass, window_), nullptr);
  EXPECT_TRUE(PumpUiUntil([this] { return deleted_; }));
  EXPECT_FALSE(::IsWindow(window_));
}

TEST_F(MainFrameTest, AStartedInstallFillsTheBar) {
  frame_->onOffersFinished();
  frame_->onDownloadProgress(100, 1048576, 1048576);
  ASSERT_EQ(BarValue(), 63);
  frame_->onInstallFinish(true);
  EXPECT_EQ(BarValue(), 100);
  EXPECT_EQ(Page(), kStartPage);
}

}  // namespace
