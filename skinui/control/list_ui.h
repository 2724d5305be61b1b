#pragma once
// The list family: a list with a header of items and a body of elements.
// The installer's skins never show one: the classes keep the attributes of
// such elements as extra attributes and paint as containers, so a skin that
// names them still builds.

#include "skinui/layout/container_ui.h"

namespace SkinUI {

// A list with a header and a body.
class CListUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"List"; }
  // This control for "List", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// The header row of a list.
class CListHeaderUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListHeader"; }
  // This control for "ListHeader", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// One column head of a list header.
class CListHeaderItemUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListHeaderItem"; }
  // This control for "ListHeaderItem", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// A list row showing one text.
class CListLabelElementUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListLabelElement"; }
  // This control for "ListLabelElement", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// A list row showing a text per column.
class CListTextElementUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListTextElement"; }
  // This control for "ListTextElement", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// A list row holding controls.
class CListContainerElementUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListContainerElement"; }
  // This control for "ListContainerElement", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

// A list row holding controls in a row.
class CListHBoxElementUI : public CContainerUI {
 public:
  const wchar_t* GetTypeName() const override { return L"ListHBoxElement"; }
  // This control for "ListHBoxElement", else as the container.
  void* FindInterface(const wchar_t* name) override;
};

}  // namespace SkinUI
