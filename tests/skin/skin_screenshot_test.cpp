// Screenshots of the installer's skin in real windows under Wine: the main
// window's pages in English, Korean and Arabic, and the two box skins set
// up as the screens set them up. Pixels are checked only where the skin
// is opaque.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "skinui/control/button_ui.h"
#include "skinui/control/progress_ui.h"
#include "skinui/core/resources/lang_text.h"
#include "skinui/layout/container_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "tests/skin/skin_test_support.h"
#include "tests/skinui/core/window_test_support.h"
#include "tests/skinui/render/render_test_support.h"

namespace {

using vxtest::TestWindow;

constexpr int kLeft = 120;
constexpr int kTop = 90;

struct Rgb {
  int r, g, b;
};
Rgb Split(uint32_t rgb) {
  return {static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF)};
}

bool IsAmber(uint32_t rgb) {
  const Rgb c = Split(rgb);
  return c.r > 200 && c.g > 140 && c.b < 90;
}
bool IsDark(uint32_t rgb) {
  const Rgb c = Split(rgb);
  return c.r < 0x40 && c.g < 0x40 && c.b < 0x50;
}

// Counts the pixels of a control's rectangle on the screen that pass test.
template <typename Test>
int PixelsIn(const vxtest::Screenshot& shot, const RECT& frame, const RECT& bounds, Test test) {
  int count = 0;
  for (int y = bounds.top; y < bounds.bottom; ++y) {
    for (int x = bounds.left; x < bounds.right; ++x)
      count += test(Split(shot.At(frame.left + x, frame.top + y))) ? 1 : 0;
  }
  return count;
}
// Light text on the dark card.
int LightPixelsIn(const vxtest::Screenshot& shot, const RECT& frame, const RECT& bounds) {
  return PixelsIn(shot, frame, bounds, [](Rgb c) { return c.r > 0x90 && c.g > 0x90 && c.b > 0x90; });
}
// Dark text on an amber button.
int DarkPixelsIn(const vxtest::Screenshot& shot, const RECT& frame, const RECT& bounds) {
  return PixelsIn(shot, frame, bounds, [](Rgb c) { return c.r < 0x60 && c.g < 0x60 && c.b < 0x60; });
}

std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

// The main window after its start-up steps that change what the skin shows.
void PrepareMainWindow(TestWindow& window) {
  window.Find(L"installnowbtn")->SetText(SkinUI::LangText("install_fast"));
  window.Find(L"protobtn")->SetText((std::wstring(L"<u>") + SkinUI::LangText("protocol_accept_btn") + L"</u>").c_str());
  window.Find(L"pathedit")->SetText(L"C:\\Program Files\\Vandorix\\");
  window.Find(L"errorLayout")->SetVisible(false);
  const wchar_t* const states[] = {L"normalimage", L"hotimage", L"focusedimage"};
  const wchar_t* const cells[] = {L"0,0,28,28", L"28,0,56,28", L"56,0,84,28"};
  for (int i = 0; i < 3; ++i) {
    window.Find(L"pathedit")
        ->ApplyAttribute(
            states[i], (std::wstring(L"file='browse_button.png' source='") + cells[i] + L"' corner='4,4,4,4'").c_str());
  }
}

void SetCustomPathMode(TestWindow& window, bool on) {
  window.Find(L"userdefinui")->SetVisible(on);
  window.Find(L"userdefinLayout2")->SetVisible(!on);
  window.Find(L"backLayout")->SetVisible(on);
  window.Find(L"installnowbtn")->SetText(SkinUI::LangText(on ? "install_now" : "install_fast"));
}

bool Capture(TestWindow& window, const std::string& name, vxtest::Screenshot* shot, RECT* frame) {
  vxtest::PumpUiFor(300);
  ::GetWindowRect(window.GetHWND(), frame);
  return vxtest::CaptureScreen(VX_SCREENSHOT_DIR "/" + name + ".ppm", shot);
}

// English, and two languages of other scripts, one written right to left.
const auto kLanguages = testing::Values(L"en_US", L"ko_KR", L"ar_IL");
std::string LanguageName(const testing::TestParamInfo<const wchar_t*>& info) { return Narrow(info.param).substr(0, 2); }

class MainWindowSkin : public testing::TestWithParam<const wchar_t*> {};

TEST_P(MainWindowSkin, PagesShowOnTheDarkCardWithTheirTexts) {
  vxtest::OpenPackedSkin(GetParam());
  const std::string code = Narrow(GetParam());
  TestWindow window(L"mainframe.xml");
  ASSERT_TRUE(window.Open(L"vx main skin", kLeft, kTop));
  PrepareMainWindow(window);
  auto* tab = static_cast<SkinUI::CTabLayoutUI*>(window.Find(L"maintab"));
  vxtest::Screenshot shot;
  RECT frame{};

  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_consent", &shot, &frame));
  const RECT& install = window.Find(L"installnowbtn")->GetBounds();
  EXPECT_TRUE(IsAmber(shot.At(frame.left + install.left + 12, frame.top + install.top + 10)))
      << vxtest::Hex(shot.At(frame.left + install.left + 12, frame.top + install.top + 10));
  EXPECT_TRUE(IsDark(shot.At(frame.left + 40, frame.top + 300)))
      << vxtest::Hex(shot.At(frame.left + 40, frame.top + 300));
  EXPECT_GT(DarkPixelsIn(shot, frame, install), 20);
  EXPECT_GT(LightPixelsIn(shot, frame, window.Find(L"userdefineBtn")->GetBounds()), 20);

  SetCustomPathMode(window, true);
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_custom_path", &shot, &frame));
  const RECT& edit = window.Find(L"pathedit")->GetBounds();
  EXPECT_GT(edit.right - edit.left, 0);
  EXPECT_GT(LightPixelsIn(shot, frame, window.Find(L"browsebtn")->GetBounds()), 20);
  EXPECT_GT(LightPixelsIn(shot, frame, window.Find(L"backBtn")->GetBounds()), 20);
  SetCustomPathMode(window, false);

  ASSERT_TRUE(tab->SelectPage(9));
  window.Find(L"logoCon")->SetVisible(false);
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_offers_loading", &shot, &frame));

  ASSERT_TRUE(tab->SelectPage(2));
  window.Find(L"logoCon")->SetVisible(true);
  window.Find(L"loadprogresslabel")->SetText((std::wstring(SkinUI::LangText("downloading")) + L"(37%)").c_str());
  window.Find(L"downloadProgeLabel")->SetText(L"18.50M/50.00M");
  static_cast<SkinUI::CProgressUI*>(window.Find(L"installbar"))->SetValue(23);
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_progress", &shot, &frame));
  const RECT& bar = window.Find(L"installbar")->GetBounds();
  const int barY = frame.top + (bar.top + bar.bottom) / 2;
  EXPECT_TRUE(IsAmber(shot.At(frame.left + bar.left + 40, barY)))
      << vxtest::Hex(shot.At(frame.left + bar.left + 40, barY));
  EXPECT_TRUE(IsDark(shot.At(frame.left + bar.right - 40, barY)))
      << vxtest::Hex(shot.At(frame.left + bar.right - 40, barY));
  EXPECT_GT(LightPixelsIn(shot, frame, window.Find(L"loadprogresslabel")->GetBounds()), 20);

  ASSERT_TRUE(tab->SelectPage(4));
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_start", &shot, &frame));
  const RECT& start = window.Find(L"startBtn")->GetBounds();
  EXPECT_TRUE(IsAmber(shot.At(frame.left + start.left + 12, frame.top + start.top + 10)));

  ASSERT_TRUE(tab->SelectPage(8));
  window.Find(L"logoCon")->SetVisible(false);
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_offers_consent", &shot, &frame));
  EXPECT_TRUE(IsAmber(shot.At(frame.left + window.Find(L"acceptBtn")->GetBounds().left + 4,
                              frame.top + window.Find(L"acceptBtn")->GetBounds().top + 4)));

  ASSERT_TRUE(tab->SelectPage(1));
  std::wstring terms;
  for (int section = 1; section <= 14; ++section) {
    terms += std::to_wstring(section) +
             L". Each section of the licence terms fills a few lines of the page, so that "
             L"the text runs past the field and its scroll bar shows.\r\n\r\n";
  }
  window.Find(L"protocoledit")->SetText(terms.c_str());
  ASSERT_TRUE(Capture(window, "skin_main_" + code + "_licence", &shot, &frame));
  EXPECT_TRUE(window.CloseAndWait());
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowSkin, kLanguages, LanguageName);

class BoxSkins : public testing::TestWithParam<const wchar_t*> {};

// The exit question as ShowExitBox fills it.
TEST_P(BoxSkins, TheExitQuestionShowsItsTextAndTwoAnswers) {
  vxtest::OpenPackedSkin(GetParam());
  TestWindow box(L"messagebox.xml");
  ASSERT_TRUE(box.Open(L"vx exit box", kLeft, kTop));
  box.Find(L"titlelabel")->SetText(SkinUI::LangText("noice"));
  box.Find(L"btnLeft")->SetText(SkinUI::LangText("Yes"));
  box.Find(L"btnRight")->SetText(SkinUI::LangText("No"));
  box.Find(L"descriptlabel")->SetText(SkinUI::LangText("exit"));
  const wchar_t* const states[] = {L"normalimage", L"hotimage", L"pushedimage"};
  const wchar_t* const cells[] = {L"0,0,100,32", L"100,0,200,32", L"200,0,300,32"};
  for (int i = 0; i < 3; ++i) {
    box.Find(L"btnLeft")
        ->ApplyAttribute(states[i], (std::wstring(L"file='button_box_cancel.png' source='") + cells[i] + L"'").c_str());
    box.Find(L"btnRight")
        ->ApplyAttribute(states[i], (std::wstring(L"file='button_box_hot.png' source='") + cells[i] + L"'").c_str());
  }
  vxtest::Screenshot shot;
  RECT frame{};
  ASSERT_TRUE(Capture(box, "skin_exit_box_" + Narrow(GetParam()), &shot, &frame));
  const RECT& no = box.Find(L"btnRight")->GetBounds();
  EXPECT_TRUE(IsAmber(shot.At(frame.left + no.left + 6, frame.top + no.top + 6)))
      << vxtest::Hex(shot.At(frame.left + no.left + 6, frame.top + no.top + 6));
  const RECT& yes = box.Find(L"btnLeft")->GetBounds();
  EXPECT_TRUE(IsDark(shot.At(frame.left + yes.left + 6, frame.top + yes.top + 6)));
  EXPECT_GT(LightPixelsIn(shot, frame, box.Find(L"descriptlabel")->GetBounds()), 40);
  EXPECT_GT(LightPixelsIn(shot, frame, yes), 10);
  EXPECT_TRUE(box.CloseAndWait());
}

// A button of the generic box as its screen makes it.
SkinUI::CButtonUI* BoxButton(const wchar_t* text, bool primary) {
  auto* button = new SkinUI::CButtonUI;
  button->SetText(text);
  const std::wstring file = primary ? L"common\\btn_bg_default.png" : L"common\\btn_bg.png";
  const std::wstring attributes =
      L"height=\"30\" valign=\"vcenter\" textpadding=\"20,0,20,0\" padding=\"10,0,10,0\" showcursor=\"true\" "
      L"minwidthex=\"100\" minwidth=\"90\" font=\"1\" showhtml=\"true\" textcolor=\"" +
      std::wstring(primary ? L"#FF000000" : L"#FF17171A") + L"\" normalimage=\"file='" + file +
      L"' source='0,0,20,28' corner='6,6,6,6'\" hotimage=\"file='" + file +
      L"' source='20,0,40,28' corner='6,6,6,6'\" pushedimage=\"file='" + file +
      L"' source='40,0,60,28' corner='6,6,6,6'\"";
  button->ApplyAttributes(attributes.c_str());
  return button;
}

// The generic box as ShowMessageBox2 fills it for a failed download.
TEST_P(BoxSkins, TheGenericBoxShowsItsIconMessageAndButtons) {
  vxtest::OpenPackedSkin(GetParam());
  TestWindow box(L"common/xml_messagebox.xml");
  ASSERT_TRUE(box.Open(L"vx generic box", kLeft, kTop));
  box.Find(L"msgiconimage")->ApplyAttribute(L"bkimage", L"common/msg_noice48.png");
  box.Find(L"titlelabel")->SetText(SkinUI::LangText("noice"));
  SkinUI::CControlUI* message = box.Find(L"descriptlabel");
  message->ApplyAttributes(L"align=\"center\" valign=\"vcenter\" multiline=\"true\" showhtml=\"true\"");
  message->SetText(SkinUI::LangText("download_error_tip2"));
  auto* bar = static_cast<SkinUI::CContainerUI*>(box.Find(L"bottombar"));
  ASSERT_TRUE(bar->InsertAt(BoxButton(SkinUI::LangText("Yes"), true), bar->GetCount() - 1));
  ASSERT_TRUE(bar->InsertAt(BoxButton(SkinUI::LangText("No"), false), bar->GetCount() - 1));
  vxtest::Screenshot shot;
  RECT frame{};
  ASSERT_TRUE(Capture(box, "skin_generic_box_" + Narrow(GetParam()), &shot, &frame));
  const RECT& yes = bar->GetChildAt(1)->GetBounds();
  const RECT& no = bar->GetChildAt(2)->GetBounds();
  EXPECT_LT(yes.right, no.left);
  // Centred between the spacers.
  const RECT& row = bar->GetBounds();
  EXPECT_NEAR(yes.left - row.left, row.right - no.right, 2);
  EXPECT_TRUE(IsAmber(shot.At(frame.left + yes.left + 8, frame.top + (yes.top + yes.bottom) / 2 - 8)));
  const RECT& icon = box.Find(L"msgiconimage")->GetBounds();
  EXPECT_EQ(icon.right - icon.left, 48);
  EXPECT_TRUE(IsAmber(shot.At(frame.left + icon.left + 24, frame.top + icon.top + 3)));
  EXPECT_GT(LightPixelsIn(shot, frame, message->GetBounds()), 40);
  EXPECT_TRUE(box.CloseAndWait());
}

INSTANTIATE_TEST_SUITE_P(Languages, BoxSkins, kLanguages, LanguageName);

}  // namespace
