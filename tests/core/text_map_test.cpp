// The text map under the plan memo and the variable index: every key added is found with its
// own value, through growth, whatever the key's length, until clear().
#include <string>

#include <gtest/gtest.h>

#include "interpreter/text_map.h"

namespace quorvex::test {
namespace {

TEST(TextMap, KeysOfEveryLengthKeepTheirValuesThroughGrowthUntilCleared) {
    TextMap<int> map;
    EXPECT_EQ(map.find("x"), nullptr);
    std::vector<std::string> keys = {"", "x", "xx", "x = 1;", "x = 10;", "for (i = 0; i < 10000; i++) {"};
    for (int k = 0; k < 500; ++k)
        keys.push_back("acc" + std::to_string(k) + std::string(static_cast<size_t>(k % 20), ' '));
    for (size_t k = 0; k < keys.size(); ++k) {
        const int& v = map.at(map.find_or_add(keys[k], [k] { return static_cast<int>(k); }));
        EXPECT_EQ(v, static_cast<int>(k));
    }
    EXPECT_EQ(map.size(), keys.size());
    for (size_t k = 0; k < keys.size(); ++k) {
        const int* v = map.find(keys[k]);
        ASSERT_NE(v, nullptr) << keys[k];
        EXPECT_EQ(*v, static_cast<int>(k));
        // Adding a key again keeps the value it has.
        EXPECT_EQ(map.at(map.find_or_add(keys[k], [] { return -1; })), static_cast<int>(k));
    }
    // A prefix, an extension or a one-character change of a key is another key.
    EXPECT_EQ(map.find("x = 1"), nullptr);
    EXPECT_EQ(map.find("x = 1; "), nullptr);
    EXPECT_EQ(map.find("for (i = 0; i < 10000; i--) {"), nullptr);
    map.clear();
    EXPECT_EQ(map.size(), 0u);
    EXPECT_EQ(map.find("x"), nullptr);
    EXPECT_EQ(map.at(map.find_or_add("x", [] { return 7; })), 7);

    // A map with a limit starts afresh when a key beyond it comes; keys it holds stay.
    TextMap<int> bounded(3);
    for (int k = 0; k < 3; ++k) bounded.find_or_add(keys[static_cast<size_t>(k)], [k] { return k; });
    EXPECT_EQ(bounded.at(bounded.find_or_add(keys[1], [] { return -1; })), 1);
    EXPECT_EQ(bounded.size(), 3u);
    EXPECT_EQ(bounded.at(bounded.find_or_add(keys[3], [] { return 3; })), 3);
    EXPECT_EQ(bounded.size(), 1u);
    EXPECT_EQ(bounded.find(keys[0]), nullptr);
}

} // namespace
} // namespace quorvex::test
