#pragma once
// A tree view and its nodes. The installer's skins never show one: the
// classes keep the attributes of such elements as extra attributes and paint
// as containers; a node holds the nodes and controls built under it.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

// The tree: its top-level nodes are its children.
class CTreeViewUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"TreeView"; }
  // This control for "TreeView", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// A node of a tree: its child nodes and controls are its children.
class CTreeNodeUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"TreeNode"; }
  // This control for "TreeNode", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
