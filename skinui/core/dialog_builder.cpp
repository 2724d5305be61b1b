#include "skinui/core/dialog_builder.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <utility>

#include "skinui/control/tree_view_ui.h"
#include "skinui/core/control_factory.h"
#include "skinui/core/dialog_builder_callback.h"
#include "skinui/core/markup/attribute_values.h"
#include "skinui/core/resources/resources.h"
#include "skinui/core/window/manager_ui.h"
#include "skinui/layout/container_interface.h"

namespace SkinUI {

namespace {

constexpr int kDefaultFontSize = 12;
// Resource ids are 16-bit.
constexpr int kMaxResourceId = 0xFFFF;

wchar_t FoldAscii(wchar_t ch) { return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch; }

// Element names and the attribute names of Image, Font and Default ignore ASCII case.
bool SameNoCase(const wchar_t* text, const wchar_t* known) {
  for (; FoldAscii(*text) == FoldAscii(*known); ++text, ++known) {
    if (*text == L'\0') return true;
  }
  return false;
}

bool IsTrueNoCase(const wchar_t* value) { return SameNoCase(value, L"true"); }

// Elements of the first pass; MultiLanguage is reserved and does nothing.
bool IsResourceElement(const wchar_t* name) {
  return SameNoCase(name, L"Image") || SameNoCase(name, L"Font") || SameNoCase(name, L"Default") ||
         SameNoCase(name, L"MultiLanguage");
}

void RegisterImage(const CXmlNode& node, CManagerUI& manager) {
  const wchar_t* name = nullptr;
  const wchar_t* type = L"";
  uint32_t mask = 0;
  bool keepPixels = false;
  for (int i = 0; i < node.CountAttributes(); ++i) {
    const wchar_t* attribute = node.GetAttributeNameAt(i);
    const wchar_t* value = node.ReadAttribute(i);
    if (SameNoCase(attribute, L"name")) {
      name = value;
    } else if (SameNoCase(attribute, L"restype")) {
      type = value;
    } else if (SameNoCase(attribute, L"mask")) {
      mask = ParseColor(value);
    } else if (SameNoCase(attribute, L"shared")) {
      keepPixels = IsTrueNoCase(value);
    }
  }
  // An image always belongs to this window; "shared" only keeps a copy of its source pixels.
  if (name != nullptr) manager.RegisterImage(name, type, mask, keepPixels, false);
}

struct FontElement {
  int id = -1;
  const wchar_t* face = nullptr;
  int size = kDefaultFontSize;
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool isDefault = false;
  bool shared = false;
};

FontElement ReadFont(const CXmlNode& node) {
  FontElement font;
  for (int i = 0; i < node.CountAttributes(); ++i) {
    const wchar_t* attribute = node.GetAttributeNameAt(i);
    const wchar_t* value = node.ReadAttribute(i);
    if (SameNoCase(attribute, L"id")) {
      font.id = ParseDecimal(value);
    } else if (SameNoCase(attribute, L"name")) {
      font.face = value;
    } else if (SameNoCase(attribute, L"size")) {
      font.size = ParseDecimal(value);
    } else if (SameNoCase(attribute, L"bold")) {
      font.bold = IsTrueNoCase(value);
    } else if (SameNoCase(attribute, L"underline")) {
      font.underline = IsTrueNoCase(value);
    } else if (SameNoCase(attribute, L"italic")) {
      font.italic = IsTrueNoCase(value);
    } else if (SameNoCase(attribute, L"default")) {
      font.isDefault = IsTrueNoCase(value);
    } else if (SameNoCase(attribute, L"shared")) {
      font.shared = IsTrueNoCase(value);
    }
  }
  return font;
}

void RegisterFont(const CXmlNode& node, CManagerUI& manager) {
  const FontElement f = ReadFont(node);
  if (f.id < 0 || f.face == nullptr) return;
  manager.RegisterFont(f.id, f.face, f.size, f.bold, f.underline, f.italic, f.shared);
  if (f.isDefault) manager.SetBaseFont(f.face, f.size, f.bold, f.underline, f.italic, f.shared);
}

void RegisterDefault(const CXmlNode& node, CManagerUI& manager) {
  const wchar_t* name = nullptr;
  const wchar_t* value = L"";
  bool shared = false;
  for (int i = 0; i < node.CountAttributes(); ++i) {
    const wchar_t* attribute = node.GetAttributeNameAt(i);
    if (SameNoCase(attribute, L"name")) {
      name = node.ReadAttribute(i);
    } else if (SameNoCase(attribute, L"value")) {
      value = node.ReadAttribute(i);
    } else if (SameNoCase(attribute, L"shared")) {
      shared = IsTrueNoCase(node.ReadAttribute(i));
    }
  }
  if (name != nullptr) manager.SetClassDefaults(name, value, shared);
}

// First pass: the images, fonts and class default lists under the root.
void RegisterResources(const CXmlNode& root, CManagerUI& manager) {
  for (CXmlNode node = root.GetFirstChild(); node.IsBound(); node = node.GetNextSibling()) {
    const wchar_t* name = node.GetName();
    if (SameNoCase(name, L"Image")) {
      RegisterImage(node, manager);
    } else if (SameNoCase(name, L"Font")) {
      RegisterFont(node, manager);
    } else if (SameNoCase(name, L"Default")) {
      RegisterDefault(node, manager);
    }
  }
}

// The root's attributes set up the window, which must exist for that.
void ApplyWindowAttributes(const CXmlNode& root, CManagerUI& manager) {
  if (!SameNoCase(root.GetName(), L"Window") || manager.GetPaintWindow() == nullptr) return;
  for (int i = 0; i < root.CountAttributes(); ++i) {
    manager.ApplyWindowAttribute(root.GetAttributeNameAt(i), root.ReadAttribute(i));
  }
}

// A cover only for the exact value "true".
bool IsCover(const CXmlNode& node) {
  wchar_t value[8] = {};
  return node.ReadAttribute(L"cover", value, 7) && std::wcscmp(value, L"true") == 0;
}

// The control is bound to the manager only while its defaults and
// attributes apply (images load, fonts resolve); the window binds the whole
// tree for good when it attaches the root.
void ApplyAttributes(const CXmlNode& node, CControlUI& control, CManagerUI* manager) {
  if (manager != nullptr) {
    control.AttachManager(manager, nullptr, false);
    if (const wchar_t* defaults = manager->GetClassDefaults(node.GetName())) control.ApplyAttributes(defaults);
  }
  for (int i = 0; i < node.CountAttributes(); ++i)
    control.ApplyAttribute(node.GetAttributeNameAt(i), node.ReadAttribute(i));
  if (manager != nullptr) control.AttachManager(nullptr, nullptr, false);
}

// What takes control under parent: a tree node takes anything; otherwise a
// tree node needs a tree view and any other control a container. Null when
// parent cannot hold it.
IContainerUI* HolderFor(CControlUI& control, CControlUI& parent) {
  if (void* node = parent.FindInterface(L"TreeNode")) return static_cast<CTreeNodeUI*>(node);
  if (control.FindInterface(L"TreeNode") != nullptr) {
    return static_cast<CTreeViewUI*>(parent.FindInterface(L"TreeView"));
  }
  return static_cast<IContainerUI*>(parent.FindInterface(L"IContainer"));
}

}  // namespace

CControlUI* CDialogBuilder::Build(const wchar_t* source,
                                  const wchar_t* resourceType,
                                  IDialogBuilderCallback* callback,
                                  CManagerUI* manager,
                                  CControlUI* parent) {
  if (!Load(source, resourceType)) return nullptr;
  return Build(callback, manager, parent);
}

CControlUI* CDialogBuilder::Build(IDialogBuilderCallback* callback, CManagerUI* manager, CControlUI* parent) {
  callback_ = callback;
  const CXmlNode root = markup_.GetRootNode();
  if (!root.IsBound()) return nullptr;
  if (manager != nullptr) {
    RegisterResources(root, *manager);
    ApplyWindowAttributes(root, *manager);
  }
  return BuildLevel(root.GetFirstChild(), parent, manager);
}

bool CDialogBuilder::Load(const wchar_t* source, const wchar_t* resourceType) {
  resourceType_ = nullptr;
  if (IS_INTRESOURCE(source)) return LoadResource(source, resourceType);
  if (source[0] == L'<') return markup_.ParseText(source);
  return markup_.ParseSkinFile(source, MarkupEncoding::Utf8);
}

bool CDialogBuilder::LoadResource(const wchar_t* id, const wchar_t* resourceType) {
  markup_.Clear();
  if (resourceType == nullptr) return false;
  const HMODULE module = CResourceContext::Instance().GetModule();
  const HRSRC found = ::FindResourceW(module, id, resourceType);
  const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  if (!markup_.ParseBytes(bytes, ::SizeofResource(module, found), MarkupEncoding::Utf8)) return false;
  resourceType_ = resourceType;
  return true;
}

// One level of the tree: node and its siblings under parent. A control's
// children are built and attached before its own defaults and attributes.
CControlUI* CDialogBuilder::BuildLevel(CXmlNode node, CControlUI* parent, CManagerUI* manager) {
  CControlUI* first = nullptr;
  for (; node.IsBound(); node = node.GetNextSibling()) {
    const wchar_t* className = node.GetName();
    if (IsResourceElement(className)) continue;
    if (SameNoCase(className, L"Include")) {
      BuildInclude(node, parent, manager);
      continue;
    }
    ControlPtr control = MakeControl(className);
    if (!control) continue;
    if (node.HasChild()) BuildLevel(node.GetFirstChild(), control.get(), manager);
    CControlUI* built = control.get();
    if (parent != nullptr) {
      const Placement placement = Attach(std::move(control), *parent, node);
      if (placement == Placement::kNoPlace) return nullptr;
      if (placement == Placement::kRefused) continue;
    } else if (first != nullptr) {
      continue;  // without a parent only the first control has an owner: the caller
    } else {
      control.release();
    }
    ApplyAttributes(node, *built, manager);
    if (first == nullptr) first = built;
  }
  return first;
}

void CDialogBuilder::BuildInclude(const CXmlNode& node, CControlUI* parent, CManagerUI* manager) {
  int count = 1;
  const wchar_t* source = nullptr;
  for (int i = 0; i < node.CountAttributes(); ++i) {
    const wchar_t* attribute = node.GetAttributeNameAt(i);
    if (std::wcscmp(attribute, L"count") == 0) {
      count = ParseDecimal(node.ReadAttribute(i));
    } else if (std::wcscmp(attribute, L"source") == 0) {
      source = node.ReadAttribute(i);
    }
  }
  if (source == nullptr || count <= 0 || includeDepth_ >= kMaxIncludeDepth) return;
  if (resourceType_ != nullptr) {
    const int id = ParseDecimal(source);
    if (id < 0 || id > kMaxResourceId) return;
    source = MAKEINTRESOURCEW(id);
  }
  for (int i = 0; i < count; ++i) {
    CControlUI* first = CDialogBuilder(includeDepth_ + 1).Build(source, resourceType_, callback_, manager, parent);
    // Under a parent the included controls are its children; without one
    // nothing owns them, and only the document's resources stay.
    if (parent == nullptr) ControlDeleter()(first);
  }
}

ControlPtr CDialogBuilder::MakeControl(const wchar_t* className) const {
  CControlUI* control = CreateControl(className);
  if (control == nullptr) control = CreateControlFromCreators(className);
  if (control == nullptr && callback_ != nullptr) control = callback_->CreateCustomControl(className);
  return ControlPtr(control);
}

// Where control goes under parent: a cover, a node of a tree node, a tree
// node of a tree view, a child of a container. kNoPlace when parent cannot
// hold it; a refused control is destroyed.
CDialogBuilder::Placement CDialogBuilder::Attach(ControlPtr control, CControlUI& parent, const CXmlNode& node) {
  if (IsCover(node)) {
    parent.SetCover(control.release());
    return Placement::kAttached;
  }
  IContainerUI* holder = HolderFor(*control, parent);
  if (holder == nullptr) return Placement::kNoPlace;
  if (!holder->Add(control.get())) return Placement::kRefused;
  control.release();
  return Placement::kAttached;
}

}  // namespace SkinUI
