#pragma once
// The toolkit's string-keyed map: control names, fonts, images, default
// attribute lists, option groups and extra attributes. Chained hashing with
// a fixed 83 buckets; a lookup moves the entry it finds to the front of its
// chain, since the same few names are looked up again and again.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "skinui/core/markup/ui_string.h"

namespace SkinUI {

// The key hash: from the last character to the first, hash = hash * 33 + ch
// (unsigned 32-bit, starting at 0); null hashes as the empty key.
uint32_t HashStringKey(const wchar_t* key);

template <class T>
class CStringMapUI {
 public:
  static constexpr size_t kBucketCount = 83;

  CStringMapUI() = default;
  ~CStringMapUI() { RemoveAll(); }
  CStringMapUI(const CStringMapUI&) = delete;
  CStringMapUI& operator=(const CStringMapUI&) = delete;

  // Adds key with value; false and no change when the key is already present.
  bool Insert(const wchar_t* key, T value) {
    if (Find(key) != nullptr) return false;
    Entry*& head = buckets_[BucketOf(key)];
    head = new Entry{CUIString(key), std::move(value), head};
    ++size_;
    return true;
  }

  // Gives key the value, adding the key when absent.
  void Set(const wchar_t* key, T value) {
    if (T* found = Find(key)) {
      *found = std::move(value);
    } else {
      Insert(key, std::move(value));
    }
  }

  // The value stored under key (exact comparison), or null.
  T* Find(const wchar_t* key) {
    Entry** link = Locate(key);
    if (link == nullptr) return nullptr;
    Entry* entry = *link;
    Entry*& head = buckets_[BucketOf(key)];
    if (entry != head) {
      *link = entry->next;
      entry->next = head;
      head = entry;
    }
    return &entry->value;
  }

  // Removes key; false when it was absent.
  bool Remove(const wchar_t* key) {
    Entry** link = Locate(key);
    if (link == nullptr) return false;
    Entry* entry = *link;
    *link = entry->next;
    delete entry;
    --size_;
    return true;
  }

  // Removes every entry.
  void RemoveAll() {
    for (Entry*& head : buckets_) {
      while (head != nullptr) delete std::exchange(head, head->next);
    }
    size_ = 0;
  }

  // Number of entries.
  size_t GetSize() const { return size_; }

  // Calls visit(key, value) for every entry, bucket by bucket.
  template <class Visit>
  void ForEach(Visit&& visit) {
    for (Entry* head : buckets_) {
      for (Entry* entry = head; entry != nullptr; entry = entry->next) visit(entry->key, entry->value);
    }
  }

 private:
  struct Entry {
    CUIString key;
    T value;
    Entry* next;
  };

  static size_t BucketOf(const wchar_t* key) { return HashStringKey(key) % kBucketCount; }

  // The link that points at the entry of key, or null when there is none.
  Entry** Locate(const wchar_t* key) {
    if (key == nullptr) key = L"";
    for (Entry** link = &buckets_[BucketOf(key)]; *link != nullptr; link = &(*link)->next) {
      if ((*link)->key == key) return link;
    }
    return nullptr;
  }

  Entry* buckets_[kBucketCount] = {};
  size_t size_ = 0;
};

}  // namespace SkinUI
