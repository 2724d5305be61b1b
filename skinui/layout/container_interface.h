#pragma once
// What every container offers, reached with FindInterface("IContainer").

namespace SkinUI {

class CControlUI;

class IContainerUI {
 public:
  // The child at index, or null outside the list.
  virtual CControlUI* GetChildAt(int index) const = 0;
  // The index of control among the children, or -1.
  virtual int IndexOfChild(const CControlUI* control) const = 0;
  // Number of children.
  virtual int GetCount() const = 0;
  // Appends control (null is refused); the container owns it.
  virtual bool Add(CControlUI* control) = 0;
  // Inserts control before index (null or an index beyond the end is refused).
  virtual bool InsertAt(CControlUI* control, int index) = 0;
  // Takes control out; it is destroyed unless told not to or the container does not own its children.
  virtual bool Remove(CControlUI* control, bool doNotDestroy = false) = 0;
  // Remove of the child at index.
  virtual bool RemoveAt(int index, bool doNotDestroy = false) = 0;
  // Takes every child out, destroying them when the container owns them.
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

}  // namespace SkinUI
