// Positional access of CList while its array of positions is built lazily,
// kept up to date at the tail and dropped by changes elsewhere.
#include <gtest/gtest.h>

#include <vector>

#include "base/CList.h"

namespace {

// Every position, through FindIndex, against the expected order.
void ExpectOrder(const CList<int, int>& list, const std::vector<int>& expected) {
    ASSERT_EQ(list.GetCount(), std::ptrdiff_t(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        POSITION pos = list.FindIndex(std::ptrdiff_t(i));
        ASSERT_NE(pos, nullptr) << i;
        EXPECT_EQ(list.GetAt(pos), expected[i]) << i;
    }
    EXPECT_EQ(list.FindIndex(std::ptrdiff_t(expected.size())), nullptr);
}

}  // namespace

TEST(ListPositions, FollowEveryKindOfChange) {
    CList<int, int> list;
    EXPECT_EQ(list.FindIndex(0), nullptr);
    std::vector<int> expected;
    for (int i = 0; i < 50; ++i) {
        list.AddTail(i);
        expected.push_back(i);
    }
    ExpectOrder(list, expected);  // first positional access builds the array

    list.AddTail(50);  // appended while the array is in use
    expected.push_back(50);
    ExpectOrder(list, expected);

    list.RemoveTail();
    expected.pop_back();
    list.RemoveTail();
    expected.pop_back();
    ExpectOrder(list, expected);

    list.AddHead(-1);
    expected.insert(expected.begin(), -1);
    list.AddTail(100);  // appended while the array is dropped
    expected.push_back(100);
    ExpectOrder(list, expected);

    list.InsertBefore(list.FindIndex(10), 7);
    expected.insert(expected.begin() + 10, 7);
    list.RemoveAt(list.FindIndex(3));
    expected.erase(expected.begin() + 3);
    list.RemoveHead();
    expected.erase(expected.begin());
    ExpectOrder(list, expected);

    list.RemoveAll();
    EXPECT_EQ(list.FindIndex(0), nullptr);
    list.AddTail(5);
    list.AddTail(6);
    ExpectOrder(list, {5, 6});
}
