#include "skinui/core/markup/xml_node.h"

#include <cwchar>

#include "skinui/core/markup/xml_markup.h"

namespace SkinUI {

CXmlNode::CXmlNode(const CXmlMarkup* markup, int32_t index, uint32_t generation)
    : markup_(markup), index_(index), generation_(generation) {}

bool CXmlNode::IsBound() const { return markup_ != nullptr && markup_->IsLive(index_, generation_); }

const wchar_t* CXmlNode::GetName() const { return IsBound() ? markup_->text_ + markup_->elements_[index_].name : L""; }

CXmlNode CXmlNode::Related(int32_t index) const {
  return index != 0 ? CXmlNode(markup_, index, generation_) : CXmlNode();
}

CXmlNode CXmlNode::GetFirstChild() const {
  return IsBound() ? Related(markup_->elements_[index_].firstChild) : CXmlNode();
}

CXmlNode CXmlNode::GetNextSibling() const {
  return IsBound() ? Related(markup_->elements_[index_].nextSibling) : CXmlNode();
}

bool CXmlNode::HasChild() const { return IsBound() && markup_->elements_[index_].firstChild != 0; }

int CXmlNode::CountAttributes() const {
  if (!IsBound()) return 0;
  MapAttributes();
  return attributeCount_;
}

bool CXmlNode::HasAnyAttribute() const { return CountAttributes() > 0; }

const wchar_t* CXmlNode::GetAttributeNameAt(int index) const {
  if (index < 0 || index >= CountAttributes()) return L"";
  return markup_->text_ + attributes_[index].name;
}

const wchar_t* CXmlNode::ReadAttribute(int index) const {
  if (index < 0 || index >= CountAttributes()) return L"";
  return markup_->text_ + attributes_[index].value;
}

bool CXmlNode::ReadAttribute(const wchar_t* name, wchar_t* buffer, size_t size) const {
  if (name == nullptr) return false;
  int count = CountAttributes();
  for (int i = 0; i < count; ++i) {
    if (std::wcscmp(markup_->text_ + attributes_[i].name, name) != 0) continue;
    const wchar_t* value = markup_->text_ + attributes_[i].value;
    for (size_t k = 0; buffer != nullptr && k < size; ++k) {
      buffer[k] = value[k];
      if (value[k] == L'\0') break;
    }
    return true;
  }
  return false;
}

// Walks the start tag between the terminated element name and the element's
// text position: each attribute is a terminated name, blanks, the opening
// quote and a terminated value. Every step stays below the text position.
void CXmlNode::MapAttributes() const {
  if (mapped_) return;
  mapped_ = true;
  attributeCount_ = 0;
  const wchar_t* text = markup_->text_;
  const int32_t end = markup_->elements_[index_].text;
  auto skipToTerminator = [&](int32_t p) {
    while (p < end && text[p] != L'\0') ++p;
    return p + 1;
  };
  auto skipSpace = [&](int32_t p) {
    while (p < end && CXmlMarkup::IsSpace(text[p])) ++p;
    return p;
  };
  int32_t p = skipToTerminator(markup_->elements_[index_].name);
  while (attributeCount_ < kMaxAttributes) {
    p = skipSpace(p);
    if (p >= end) return;
    int32_t name = p;
    p = skipSpace(skipToTerminator(p));
    if (p >= end || text[p] != L'"') return;
    attributes_[attributeCount_++] = Attribute{name, p + 1};
    p = skipToTerminator(p + 1);
  }
}

}  // namespace SkinUI
