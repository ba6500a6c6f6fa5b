// Saved control properties: defaults are not stored, reads fall back, order is kept.
#include "skin/core/property_bag.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(property_bag_test, values_equal_to_their_default_are_not_stored) {
    PropertyBag bag;
    bag.WriteProperty("State", 0, 0);
    bag.WriteProperty("Caption", QString("确定"), QString("cmdOK"));
    bag.WriteProperty("Enabled", false, true);
    EXPECT_FALSE(bag.contains("State"));
    EXPECT_EQ(bag.names(), QStringList({"Caption", "Enabled"}));
    // Writing the default later removes an earlier stored value.
    bag.WriteProperty("Caption", QString("cmdOK"), QString("cmdOK"));
    EXPECT_EQ(bag.names(), QStringList({"Enabled"}));
}

TEST(property_bag_test, reads_fall_back_for_missing_and_malformed_values) {
    PropertyBag bag(QVariantMap{{"Value", "abc"}, {"Caption", "我的电脑"}, {"State", "1"}});
    EXPECT_EQ(bag.ReadProperty("Value", 0).toInt(), 0);
    EXPECT_EQ(bag.ReadProperty("State", 0).toInt(), 1);
    EXPECT_EQ(bag.ReadProperty("caption", QString()).toString(), QString::fromUtf8("我的电脑"));
    EXPECT_EQ(bag.ReadProperty("Enabled", true).toBool(), true);
    EXPECT_EQ(bag.readLog(), QStringList({"Value", "State", "caption", "Enabled"}));
}

}  // namespace
}  // namespace skin
