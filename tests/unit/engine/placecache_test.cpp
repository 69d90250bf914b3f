#include "engine/placecache.h"

#include <gtest/gtest.h>

#include <vector>

namespace yura {
namespace {

std::size_t Alive(const std::vector<std::weak_ptr<const std::string>>& texts) {
  std::size_t alive = 0;
  for (const auto& text : texts) alive += text.expired() ? 0 : 1;
  return alive;
}

TEST(PlaceCache, RemembersPlacesOfOwnedTextsOnly) {
  TPlaceCache<int> cache;
  const TText text = MakeText("A=1");
  cache.Add(TCursor(text, 2), 7);
  ASSERT_NE(cache.Find(TCursor(text, 2)), nullptr);
  EXPECT_EQ(*cache.Find(TCursor(text, 2)), 7);
  EXPECT_EQ(cache.Find(TCursor(text, 1)), nullptr);
  // A text borrowed for a moment may be followed by another at its address.
  const std::string borrowed = "A=1";
  EXPECT_FALSE(cache.Remembers(TCursor(TText(TText(), &borrowed), 2)));
}

TEST(PlaceCache, KeepsNeitherManyNorLargeTextsAlive) {
  // Texts run once, as evaluated code is, are let go.
  TPlaceCache<int> cache;
  std::vector<std::weak_ptr<const std::string>> texts;
  for (int i = 0; i < 1000; ++i) {
    const TText text = MakeText(std::string(100, 'x'));
    texts.push_back(text);
    cache.Add(TCursor(text, 0), i);
  }
  EXPECT_LE(Alive(texts), 256u);
  EXPECT_GT(Alive(texts), 0u);
  texts.clear();
  for (int i = 0; i < 8; ++i) {
    const TText text = MakeText(std::string(10u << 20, 'x'));
    texts.push_back(text);
    cache.Add(TCursor(text, 0), i);
  }
  EXPECT_LE(Alive(texts), 3u);
}

}  // namespace
}  // namespace yura
