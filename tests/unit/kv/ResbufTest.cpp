#include "support/DrawingFixture.h"

TEST(Resbuf, BuildListTakesEachValueKindAndEndsAtZero)
{
    const double pt[3] = {1, 2, 3};
    resbuf* pList = kvutBuildList(RTDXF0, u"LINE", 8, u"Walls", 62, 3, 40, 2.5, 10, pt, 90, std::int32_t{70000}, 0);
    const KvTypedValueList values = kvRbToTypedValues(pList);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0], KvTypedValue(0, std::u16string(u"LINE")));
    EXPECT_EQ(values[1], KvTypedValue(8, std::u16string(u"Walls")));
    EXPECT_EQ(values[2], KvTypedValue(62, std::int64_t{3}));
    EXPECT_EQ(values[3], KvTypedValue(40, 2.5));
    EXPECT_EQ(values[4], KvTypedValue(10, KvGePoint3d(1, 2, 3)));
    EXPECT_EQ(values[5], KvTypedValue(90, std::int64_t{70000}));

    // A deep copy owns its own strings: releasing the original leaves it intact.
    resbuf* pCopy = kvutDupRb(pList);
    kvutRelRb(pList);
    EXPECT_EQ(kvRbToTypedValues(pCopy), values);
    kvutRelRb(pCopy);
    EXPECT_EQ(kvutBuildList(0), nullptr);
}

TEST(Resbuf, BinaryAndTextRoundTripThroughTypedValues)
{
    const KvTypedValueList values = {KvTypedValue(1001, std::u16string(u"APP")),
                                     KvTypedValue(1004, std::vector<std::uint8_t>{1, 2, 255}),
                                     KvTypedValue(1000, std::u16string(u"\u00E9t\u00E9")), KvTypedValue(1040, 0.125)};
    resbuf* pChain = kvTypedValuesToRb(values);
    resbuf* pCopy = kvutDupRb(pChain);
    kvutRelRb(pChain);
    EXPECT_EQ(kvRbToTypedValues(pCopy), values);
    kvutRelRb(pCopy);
}
