// Amount: sign-magnitude normalisation, the bounded sum and wrapping at the int64 edges.
#include <Amount.h>

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr ScaledAmount UNIT = 10000;
constexpr ScaledAmount BOUND = 1000000000000000000LL;
constexpr ScaledAmount MIN = std::numeric_limits<int64_t>::min();
constexpr ScaledAmount MAX = std::numeric_limits<int64_t>::max();

void ExpectParts(const Amount& amount, int16_t sign, int64_t whole, int32_t fraction)
{
    EXPECT_EQ(amount.Sign(), sign);
    EXPECT_EQ(amount.Whole(), whole);
    EXPECT_EQ(amount.Fraction(), fraction);
}

TEST(Amount, ConstructionNormalisesToSignAndMagnitude)
{
    struct Case {
        ScaledAmount scaled;
        int16_t sign;
        int64_t whole;
        int32_t fraction;
    };
    const Case cases[] = {
        {-15000, -1, 1, 5000},
        {0, 1, 0, 0},
        {1, 1, 0, 1},
        {-1, -1, 0, 1},
        {9999, 1, 0, 9999},
        {123456789, 1, 12345, 6789},
        {MAX, 1, 922337203685477LL, 5807},
        {MIN, -1, 922337203685477LL, 5808},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scaled);
        const Amount amount(c.scaled);
        ExpectParts(amount, c.sign, c.whole, c.fraction);
        EXPECT_EQ(amount.ToScaled(), c.scaled);
    }
}

TEST(Amount, DefaultIsPositiveZero)
{
    ExpectParts(Amount(), 1, 0, 0);
    EXPECT_EQ(Amount().ToScaled(), 0);
}

TEST(Amount, ZeroResultsAreNeverNegative)
{
    const Amount negative(-37 * UNIT - 1);
    ExpectParts(negative.Difference(negative), 1, 0, 0);
    Amount sum(-5000);
    sum += Amount(5000);
    ExpectParts(sum, 1, 0, 0);
    ExpectParts(Amount(-5000).BoundedSum(Amount(5000)), 1, 0, 0);
}

TEST(Amount, NegativeOnePlusHalf)
{
    const Amount minusOne(-UNIT);
    const Amount half(UNIT / 2);
    ExpectParts(minusOne.BoundedSum(half), -1, 0, 5000);
    Amount inPlace(-UNIT);
    inPlace += half;
    ExpectParts(inPlace, -1, 0, 5000);
    ExpectParts(half.Difference(Amount(UNIT)), -1, 0, 5000);
}

TEST(Amount, BoundedSumRefusesTenToTheEighteenth)
{
    struct Case {
        ScaledAmount left;
        ScaledAmount right;
        bool overflows;
    };
    const Case cases[] = {
        {BOUND - 2, 1, false},
        {-(BOUND - 2), -1, false},
        {BOUND - 1, 1, true},
        {-(BOUND - 1), -1, true},
        {BOUND, -1, false},
        {BOUND, 0, true},
        {MAX, 1, true},       // the exact sum leaves int64: still refused, not wrapped
        {MIN, -1, true},
        {MIN, MAX, false},    // -1
        {MAX, MIN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " + " << c.right);
        const Amount left(c.left);
        const Amount right(c.right);
        if (c.overflows) {
            EXPECT_THROW(left.BoundedSum(right), AmountOverflow);
        } else {
            EXPECT_EQ(left.BoundedSum(right).ToScaled(), c.left + c.right);
        }
        EXPECT_EQ(left.ToScaled(), c.left);
        EXPECT_EQ(right.ToScaled(), c.right);
    }
    EXPECT_EQ(Amount(BOUND - 2).BoundedSum(Amount(1)).ToScaled(), 999999999999999999LL);
}

TEST(Amount, UnboundedOperationsPassTheBound)
{
    Amount sum(BOUND - 1);
    sum += Amount(BOUND);
    EXPECT_EQ(sum.ToScaled(), 2 * BOUND - 1);
    EXPECT_EQ(Amount(-BOUND).Difference(Amount(BOUND)).ToScaled(), -2 * BOUND);
    EXPECT_EQ(Amount(BOUND).Difference(Amount(-5 * BOUND)).ToScaled(), 6 * BOUND);
}

TEST(Amount, UnboundedOperationsWrapAtTheInt64Edges)
{
    Amount up(MAX);
    up += Amount(1);
    EXPECT_EQ(up.ToScaled(), MIN);
    ExpectParts(up, -1, 922337203685477LL, 5808);

    Amount down(MIN);
    down += Amount(-1);
    EXPECT_EQ(down.ToScaled(), MAX);

    EXPECT_EQ(Amount(MIN).Difference(Amount(1)).ToScaled(), MAX);
    EXPECT_EQ(Amount(0).Difference(Amount(MIN)).ToScaled(), MIN);
    EXPECT_EQ(Amount(MAX).Difference(Amount(MIN)).ToScaled(), -1);
}

TEST(Amount, CopyValueTakesAllThreeParts)
{
    Amount target(42);
    target.CopyValue(Amount(-15000));
    ExpectParts(target, -1, 1, 5000);
}

// Whole units for output: the signed whole part truncates toward zero, as int64 division does.
TEST(Amount, WholeUnitsTruncateTowardZero)
{
    struct Case {
        ScaledAmount scaled;
        int64_t units;
    };
    const Case cases[] = {
        {-19999, -1}, {19999, 1}, {9999, 0}, {-9999, 0}, {-20000, -2}, {20000, 2},
        {0, 0}, {29999, 2}, {-29999, -2}, {MIN, -922337203685477LL}, {MAX, 922337203685477LL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scaled);
        const Amount amount(c.scaled);
        EXPECT_EQ(c.scaled / UNIT, c.units);
        EXPECT_EQ(amount.Sign() * amount.Whole(), c.units);
    }
}

}
