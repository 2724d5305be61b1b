#pragma once
// Turns a skin markup document into the control tree of one window: it
// registers the images, fonts and class default lists the document declares
// and the window's own attributes with the window's manager, then makes one
// control per element through the class table (then the process-wide
// creators, then the application's callback), attaches each to its parent
// and applies its attributes: class defaults first, then the element's own.

#include <cstddef>

#include "skinui/core/control_ui.h"
#include "skinui/core/markup/xml_markup.h"

namespace SkinUI {

class CManagerUI;
class IDialogBuilderCallback;

class CDialogBuilder {
 public:
  // Include elements may nest this deep; deeper ones include nothing, so a
  // skin that includes itself still builds.
  static constexpr int kMaxIncludeDepth = 16;

  CDialogBuilder() = default;
  CDialogBuilder(const CDialogBuilder&) = delete;
  CDialogBuilder& operator=(const CDialogBuilder&) = delete;

  // Loads source, then builds as below. source is a resource id (below
  // 0x10000) of resourceType in the resource context's module, markup text
  // when its first character is '<', else a skin file name. Null when the
  // document cannot be loaded (the error stays readable).
  CControlUI* Build(const wchar_t* source,
                    const wchar_t* resourceType,
                    IDialogBuilderCallback* callback,
                    CManagerUI* manager,
                    CControlUI* parent = nullptr);
  // Builds the loaded document under parent (may be null): the first control
  // made at the top level, or null when none was made or a control had no
  // place under its parent. The tree is left unbound; the window binds it.
  CControlUI* Build(IDialogBuilderCallback* callback, CManagerUI* manager, CControlUI* parent = nullptr);

  // Copies at most size characters of the last load error into buffer.
  void GetErrorText(wchar_t* buffer, size_t size) const { markup_.GetErrorText(buffer, size); }
  // Copies at most size characters of the text where the last load failed into buffer.
  void GetErrorContext(wchar_t* buffer, size_t size) const { markup_.GetErrorContext(buffer, size); }

 private:
  enum class Placement { kAttached, kRefused, kNoPlace };

  explicit CDialogBuilder(int includeDepth) : includeDepth_(includeDepth) {}

  bool Load(const wchar_t* source, const wchar_t* resourceType);
  bool LoadResource(const wchar_t* id, const wchar_t* resourceType);
  CControlUI* BuildLevel(CXmlNode node, CControlUI* parent, CManagerUI* manager);
  void BuildInclude(const CXmlNode& node, CControlUI* parent, CManagerUI* manager);
  ControlPtr MakeControl(const wchar_t* className) const;
  static Placement Attach(ControlPtr control, CControlUI& parent, const CXmlNode& node);

  CXmlMarkup markup_;
  IDialogBuilderCallback* callback_ = nullptr;
  const wchar_t* resourceType_ = nullptr;  // borrowed; set when the document came from the resources
  int includeDepth_ = 0;
};

}  // namespace SkinUI
