#include "skinui/core/markup/string_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using SkinUI::CStringMapUI;
using SkinUI::CUIString;
using SkinUI::HashStringKey;

TEST(StringMap, HashRunsFromTheLastCharacterToTheFirst) {
  EXPECT_EQ(HashStringKey(L""), 0u);
  EXPECT_EQ(HashStringKey(nullptr), 0u);
  EXPECT_EQ(HashStringKey(L"a"), 97u);
  EXPECT_EQ(HashStringKey(L"ab"), 98u * 33 + 97);  // 'b' first, then 'a'
  EXPECT_NE(HashStringKey(L"ab"), HashStringKey(L"ba"));
  // Wraps at 32 bits: 33^7 * 'z' overflows.
  EXPECT_EQ(HashStringKey(L"zzzzzzzz"), 1813671632u);
}

TEST(StringMap, InsertFindSetRemove) {
  CStringMapUI<CUIString> map;
  EXPECT_TRUE(map.Insert(L"name", CUIString(L"first")));
  EXPECT_FALSE(map.Insert(L"name", CUIString(L"second")));
  ASSERT_NE(map.Find(L"name"), nullptr);
  EXPECT_EQ(*map.Find(L"name"), L"first");
  EXPECT_EQ(map.Find(L"Name"), nullptr);
  map.Set(L"name", CUIString(L"third"));
  map.Set(L"other", CUIString(L"x"));
  EXPECT_EQ(*map.Find(L"name"), L"third");
  EXPECT_EQ(map.GetSize(), 2u);
  EXPECT_TRUE(map.Remove(L"name"));
  EXPECT_FALSE(map.Remove(L"name"));
  EXPECT_EQ(map.Find(L"name"), nullptr);
  map.RemoveAll();
  EXPECT_EQ(map.GetSize(), 0u);
  EXPECT_EQ(map.Find(L"other"), nullptr);
}

// Keys that share one bucket, to exercise the chains.
std::vector<std::wstring> CollidingKeys(size_t count) {
  std::vector<std::wstring> keys;
  for (int i = 0; keys.size() < count; ++i) {
    std::wstring key = L"k" + std::to_wstring(i);
    if (HashStringKey(key.c_str()) % CStringMapUI<int>::kBucketCount == 5) keys.push_back(key);
  }
  return keys;
}

std::vector<std::wstring> VisitOrder(CStringMapUI<int>& map) {
  std::vector<std::wstring> order;
  map.ForEach([&](const CUIString& key, int&) { order.emplace_back(key.GetData()); });
  return order;
}

TEST(StringMap, ChainedKeysStayApartAndLookupsMoveToTheFront) {
  std::vector<std::wstring> keys = CollidingKeys(4);
  CStringMapUI<int> map;
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_TRUE(map.Insert(keys[i].c_str(), static_cast<int>(i)));
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(*map.Find(keys[i].c_str()), static_cast<int>(i));
  // The last lookup was keys[3]: it now heads the chain.
  EXPECT_EQ(VisitOrder(map).front(), keys[3]);
  map.Find(keys[1].c_str());
  EXPECT_EQ(VisitOrder(map).front(), keys[1]);
  EXPECT_TRUE(map.Remove(keys[2].c_str()));
  EXPECT_EQ(map.Find(keys[2].c_str()), nullptr);
  EXPECT_EQ(*map.Find(keys[0].c_str()), 0);
  EXPECT_EQ(VisitOrder(map).size(), 3u);
}

}  // namespace
