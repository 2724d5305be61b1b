#include "skinui/core/control_factory.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "skinui/control/active_x_ui.h"
#include "skinui/control/button_ui.h"
#include "skinui/control/check_box_ui.h"
#include "skinui/control/combo_ui.h"
#include "skinui/control/date_time_ui.h"
#include "skinui/control/edit_ui.h"
#include "skinui/control/gif_anim_ui.h"
#include "skinui/control/label_ui.h"
#include "skinui/control/list_ui.h"
#include "skinui/control/option_ui.h"
#include "skinui/control/progress_ui.h"
#include "skinui/control/rich_edit_ui.h"
#include "skinui/control/slider_ui.h"
#include "skinui/control/text_ui.h"
#include "skinui/control/tree_view_ui.h"
#include "skinui/control/web_browser_ui.h"
#include "skinui/core/control_ui.h"
#include "skinui/layout/child_layout_ui.h"
#include "skinui/layout/container_ui.h"
#include "skinui/layout/horizontal_layout_ui.h"
#include "skinui/layout/scroll_bar_ui.h"
#include "skinui/layout/tab_layout_ui.h"
#include "skinui/layout/tile_layout_ui.h"
#include "skinui/layout/trans_bk_container_ui.h"
#include "skinui/layout/vertical_layout_ui.h"

namespace SkinUI {

namespace {

template <class T>
CControlUI* Make() {
  return new T;
}

constexpr ControlClassRow Row(const wchar_t* name, ControlMaker make, bool exactCase = false) {
  return {name, std::char_traits<wchar_t>::length(name), make, exactCase};
}

template <size_t N>
constexpr std::array<ControlClassRow, N> ByLength(std::array<ControlClassRow, N> rows) {
  std::sort(rows.begin(), rows.end(),
            [](const ControlClassRow& a, const ControlClassRow& b) { return a.length < b.length; });
  return rows;
}

// One row per element name, in any order: the table is sorted by length
// when it is compiled.
constexpr auto kClassTable = ByLength(std::array{
    Row(L"Control", &Make<CControlUI>),
    Row(L"Container", &Make<CContainerUI>),
    Row(L"VerticalLayout", &Make<CVerticalLayoutUI>),
    Row(L"VBox", &Make<CVerticalLayoutUI>),
    Row(L"HorizontalLayout", &Make<CHorizontalLayoutUI>),
    Row(L"HBox", &Make<CHorizontalLayoutUI>),
    Row(L"TabLayout", &Make<CTabLayoutUI>),
    Row(L"TileLayout", &Make<CTileLayoutUI>),
    Row(L"ChildLayout", &Make<CChildLayoutUI>),
    Row(L"TransBkContainer", &Make<CTransBkContainerUI>),
    Row(L"Label", &Make<CLabelUI>),
    Row(L"Text", &Make<CTextUI>),
    Row(L"Button", &Make<CButtonUI>),
    Row(L"Option", &Make<COptionUI>),
    Row(L"CheckBox", &Make<CCheckBoxUI>),
    Row(L"Progress", &Make<CProgressUI>),
    Row(L"Slider", &Make<CSliderUI>),
    Row(L"ScrollBar", &Make<CScrollBarUI>),
    Row(L"Combo", &Make<CComboUI>),
    Row(L"ComboBox", &Make<CComboUI>),
    Row(L"List", &Make<CListUI>),
    Row(L"ListHeader", &Make<CListHeaderUI>),
    Row(L"ListHeaderItem", &Make<CListHeaderItemUI>),
    Row(L"ListLabelElement", &Make<CListLabelElementUI>),
    Row(L"ListTextElement", &Make<CListTextElementUI>),
    Row(L"ListContainerElement", &Make<CListContainerElementUI>),
    Row(L"ListHBoxElement", &Make<CListHBoxElementUI>),
    Row(L"TreeView", &Make<CTreeViewUI>),
    Row(L"Tree", &Make<CTreeViewUI>),
    Row(L"TreeNode", &Make<CTreeNodeUI>),
    Row(L"DateTime", &Make<CDateTimeUI>),
    Row(L"ActiveX", &Make<CActiveXUI>),
    Row(L"WebBrowser", &Make<CWebBrowserUI>),
    Row(L"GifAnim", &Make<CGifAnimUI>, true),
    Row(L"Edit", &Make<CEditUI>),
    Row(L"RichEdit", &Make<CRichEditUI>),
});

wchar_t FoldAscii(wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch; }

bool SameName(const ControlClassRow& row, const wchar_t* name) {
  for (size_t i = 0; i < row.length; ++i) {
    const bool same = row.exactCase ? row.name[i] == name[i] : FoldAscii(row.name[i]) == FoldAscii(name[i]);
    if (!same) return false;
  }
  return true;
}

std::vector<ControlCreator>& Creators() {
  // Process-wide, kept for the life of the process.
  static auto* creators = new std::vector<ControlCreator>;
  return *creators;
}

}  // namespace

const ControlClassRow* FindControlClass(std::span<const ControlClassRow> rows, const wchar_t* name) {
  if (name == nullptr) return nullptr;
  const size_t length = std::char_traits<wchar_t>::length(name);
  auto row = std::lower_bound(rows.begin(), rows.end(), length,
                              [](const ControlClassRow& r, size_t wanted) { return r.length < wanted; });
  for (; row != rows.end() && row->length == length; ++row) {
    if (SameName(*row, name)) return &*row;
  }
  return nullptr;
}

CControlUI* CreateControl(const wchar_t* name) {
  const ControlClassRow* row = FindControlClass(kClassTable, name);
  return row != nullptr ? row->make() : nullptr;
}

void AddControlCreator(ControlCreator creator) {
  std::vector<ControlCreator>& creators = Creators();
  if (creator != nullptr && std::find(creators.begin(), creators.end(), creator) == creators.end()) {
    creators.push_back(creator);
  }
}

bool RemoveControlCreator(ControlCreator creator) {
  std::vector<ControlCreator>& creators = Creators();
  auto found = std::find(creators.begin(), creators.end(), creator);
  if (found == creators.end()) return false;
  creators.erase(found);
  return true;
}

CControlUI* CreateControlFromCreators(const wchar_t* className) {
  for (ControlCreator creator : Creators()) {
    if (CControlUI* control = creator(className)) return control;
  }
  return nullptr;
}

}  // namespace SkinUI
