#include <gtest/gtest.h>

#include "imports/tstrictlist.h"

namespace {

// Objects that claim to equal each other, so a lookup by value would confuse them.
struct AlwaysEqual : Object {
    bool operator==(const AlwaysEqual&) const { return true; }
};

}  // namespace

TEST(TStrictList, FindsEntriesByIdentityNotByValue) {
    TStrictList list;
    auto a = std::make_shared<AlwaysEqual>();
    auto b = std::make_shared<AlwaysEqual>();
    auto stranger = std::make_shared<AlwaysEqual>();
    list.AddLast(a);
    list.AddLast(b);
    list.AddLast(a);

    EXPECT_EQ(list.Contains(b), 1);
    EXPECT_EQ(list.Contains(stranger), 0);
    EXPECT_FALSE(list.FindLink(stranger).has_value());

    auto link = list.FindLink(a);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(*link, list.begin());  // the first of the two links holding a

    EXPECT_EQ(list.Remove(a), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.begin()->get(), b.get());
    EXPECT_EQ(list.Contains(a), 1);  // the second link is still there
    EXPECT_EQ(list.Remove(stranger), 0);
}

TEST(TStrictList, NullEntryIsFoundOnlyAsNull) {
    TStrictList list;
    EXPECT_EQ(list.Contains(nullptr), 0);
    list.AddFirst(nullptr);
    EXPECT_EQ(list.Contains(nullptr), 1);
    EXPECT_EQ(list.Contains(std::make_shared<Object>()), 0);
}
