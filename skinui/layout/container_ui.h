#pragma once
// A control that holds children: it stacks them over its client area, owns
// them, scrolls them with optional scroll bars (keys and wheel too), paints
// them clipped to the client area and finds controls among them. Layouts
// derive from it and place the children their own way.

#include <windows.h>

#include <memory>
#include <vector>

#include "skinui/core/control_ui.h"
#include "skinui/layout/container_interface.h"
#include "skinui/layout/layout_math.h"

namespace SkinUI {

class CScrollBarUI;

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  // Destroys the children it owns and its scroll bars.
  ~CContainerUI() override;

  const wchar_t* GetTypeName() const override { return L"Container"; }
  // The IContainerUI for "IContainer", this for "Container", else as the base.
  void* FindInterface(const wchar_t* name) override;

  CControlUI* GetChildAt(int index) const override;
  int IndexOfChild(const CControlUI* control) const override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  bool Add(CControlUI* control) override;
  bool InsertAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control, bool doNotDestroy = false) override;
  bool RemoveAt(int index, bool doNotDestroy = false) override;
  void RemoveAll() override;

  // Binds the children and scroll bars too.
  void AttachManager(CManagerUI* manager, CControlUI* parent, bool initialise) override;
  // The item rectangle minus the inset and the visible scroll bars.
  RECT GetContentBounds() const override;
  // Places the container and stacks its children over the scrolled client area.
  void SetBounds(const RECT& rect, bool invalidate) override;
  // Moves the children and scroll bars with the container.
  void MoveBy(int dx, int dy, bool invalidate) override;
  // Passes the visibility on to the children.
  void SetVisible(bool visible) override;
  void SetShownByParent(bool shown) override;
  // The scroll bars follow the container.
  void SetMouseEnabled(bool enabled) override;
  // The container, its cover, its scroll bars and its children, under the flags.
  CControlUI* FindInTree(FindCallback callback, void* data, uint32_t flags) override;
  // Scrolling keys and the wheel; focus events only mark the container.
  void HandleEvent(UIEvent& event) override;
  // Container attributes (inset, scroll bars, child padding and alignment), else the control's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The container, then its children clipped to the client area, then its scroll bars.
  bool PaintSelf(HDC dc, const RECT& area, CControlUI* stop) override;

  virtual const RECT& GetInset() const { return inset_; }
  // Inner margins of the client area; lays out again.
  virtual void SetInset(const RECT& inset);
  virtual int GetChildPadding() const { return childPadding_; }
  // Gap between consecutive children (negative becomes 0); lays out again.
  virtual void SetChildPadding(int padding);
  virtual int GetChildAlign() const { return childAlign_; }
  // ChildAlign value for the children of a column; lays out again.
  virtual void SetChildAlign(int align);
  virtual int GetChildVAlign() const { return childVAlign_; }
  // ChildVAlign value for the children of a row; lays out again.
  virtual void SetChildVAlign(int align);
  virtual bool OwnsChildren() const { return autoDestroy_; }
  // Whether removed children are destroyed.
  virtual void SetOwnsChildren(bool owns) { autoDestroy_ = owns; }
  virtual bool DefersDeletion() const { return delayedDestroy_; }
  // Whether destruction should wait for the manager's delayed cleanup.
  virtual void SetDefersDeletion(bool defers) { delayedDestroy_ = defers; }
  virtual bool IsMouseChildEnabled() const { return mouseChildEnabled_; }
  // Whether hit tests descend into the children.
  virtual void SetMouseChildEnabled(bool enabled) { mouseChildEnabled_ = enabled; }

  // (horizontal, vertical) positions of the visible bars; 0 for a hidden bar.
  virtual SIZE GetScrollPos() const;
  // (horizontal, vertical) ranges of the visible bars; 0 for a hidden bar.
  virtual SIZE GetScrollRange() const;
  // Moves the visible bars and shifts the children by the change.
  virtual void SetScrollPos(SIZE position);
  virtual void LineUp();
  virtual void LineDown();
  virtual void PageUp();
  virtual void PageDown();
  virtual void ScrollToTop();
  virtual void ScrollToBottom();
  virtual void LineLeft();
  virtual void LineRight();
  virtual void PageLeft();
  virtual void PageRight();
  virtual void ScrollToLeftEnd();
  virtual void ScrollToRightEnd();
  // Creates the wanted bars that are missing (with the manager's
  // "VScrollBar" or "HScrollBar" defaults) and deletes unwanted ones.
  virtual void EnableScrollBar(bool vertical, bool horizontal);
  virtual CScrollBarUI* GetVerticalScrollBar() const { return vbar_.get(); }
  virtual CScrollBarUI* GetHorizontalScrollBar() const { return hbar_.get(); }

 protected:
  // Fits the bars to a content of size needed in the working rectangle
  // client and lays out once more when a bar came, went or was pulled back.
  virtual void UpdateScrollBars(const RECT& client, SIZE needed);
  // The container as the layout arithmetic sees it.
  LayoutParams GetLayoutParams() const;
  // The layout arithmetic's view of every child.
  std::vector<LayoutChild> GetLayoutChildren() const;
  // Sets the bounds of every placed child (floating ones relative to this container).
  void ApplyPlacements(const std::vector<ChildPlacement>& placements);
  // Measures children through their Measure.
  class ChildMeasure final : public ILayoutMeasure {
   public:
    explicit ChildMeasure(const std::vector<CControlUI*>& items) : items_(items) {}
    LayoutSize MeasureChild(size_t index, LayoutSize available) override;

   private:
    const std::vector<CControlUI*>& items_;
  };
  const std::vector<CControlUI*>& Items() const { return items_; }

 private:
  struct ScrollBarDeleter {
    void operator()(CScrollBarUI* bar) const;
  };
  using ScrollBarPtr = std::unique_ptr<CScrollBarUI, ScrollBarDeleter>;

  // Deletes a removed child, through the manager's delayed cleanup when
  // deletion is deferred and the manager has a window.
  void Destroy(CControlUI* control);
  ScrollBarPtr MakeScrollBar(bool horizontal);
  void FitScrollBar(CScrollBarUI& bar, const RECT& client, int available, int needed, bool* relayout);
  bool HandleScrollKey(wchar_t key);
  void HandleWheel(const UIEvent& event);
  bool PaintChildren(HDC dc, const RECT& area, CControlUI* stop);
  bool PaintScrollBars(HDC dc, const RECT& area, CControlUI* stop);
  CControlUI* FindInChildren(FindCallback callback, void* data, uint32_t flags);
  int VerticalLine() const;
  int HorizontalLine() const;
  int ClientHeight() const;
  int ClientWidth() const;

  std::vector<CControlUI*> items_;
  RECT inset_{};
  int childPadding_ = 0;
  int childAlign_ = kAlignLeft;
  int childVAlign_ = kVAlignTop;
  bool autoDestroy_ = true;
  bool delayedDestroy_ = true;
  bool mouseChildEnabled_ = true;
  bool scrollProcessing_ = false;
  ScrollBarPtr vbar_;
  ScrollBarPtr hbar_;
};

}  // namespace SkinUI
