#pragma once
// A handle to one element of a loaded markup document. Attribute positions
// are found on first use and cached in the handle (at most 64 per element).

#include <cstddef>
#include <cstdint>

namespace SkinUI {

class CXmlMarkup;

class CXmlNode {
 public:
  static constexpr int kMaxAttributes = 64;

  // An unbound node: every accessor gives an empty result.
  CXmlNode() = default;

  // True while the node refers to an element of its markup's current document.
  bool IsBound() const;
  // The element name; empty for an unbound node.
  const wchar_t* GetName() const;
  // The first child element, or an unbound node.
  CXmlNode GetFirstChild() const;
  // The next element with the same parent, or an unbound node.
  CXmlNode GetNextSibling() const;
  // True when the element has a child element.
  bool HasChild() const;
  // Number of visible attributes (the first 64 of the element).
  int CountAttributes() const;
  // True when the element has at least one attribute.
  bool HasAnyAttribute() const;
  // Name of attribute index, or an empty string when index is out of range.
  const wchar_t* GetAttributeNameAt(int index) const;
  // Decoded value of attribute index, or an empty string when out of range.
  const wchar_t* ReadAttribute(int index) const;
  // Copies at most size characters of the value of the first attribute
  // named exactly name into buffer (terminated only when shorter than size);
  // false when there is none.
  bool ReadAttribute(const wchar_t* name, wchar_t* buffer, size_t size) const;

 private:
  friend class CXmlMarkup;

  struct Attribute {
    int32_t name;
    int32_t value;
  };

  CXmlNode(const CXmlMarkup* markup, int32_t index, uint32_t generation);
  CXmlNode Related(int32_t index) const;
  void MapAttributes() const;

  const CXmlMarkup* markup_ = nullptr;
  int32_t index_ = 0;
  uint32_t generation_ = 0;
  mutable bool mapped_ = false;
  mutable int attributeCount_ = 0;
  mutable Attribute attributes_[kMaxAttributes] = {};
};

}  // namespace SkinUI
