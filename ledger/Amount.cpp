// Exact four-place money: sign-magnitude normalisation and the one bounded sum.
#include "Amount.h"

namespace {

constexpr uint64_t SCALE = 10000;
constexpr uint64_t BOUND = 1000000000000000000ULL;   // 10^18 ten-thousandths

// Two's-complement arithmetic on the unsigned form keeps every wrap defined, INT64_MIN included.
uint64_t Bits(ScaledAmount value)
{
    return static_cast<uint64_t>(value);
}

ScaledAmount FromBits(uint64_t bits)
{
    return static_cast<ScaledAmount>(bits);
}

}

Amount::Amount(ScaledAmount scaled)
{
    // 0 - bits is the magnitude even for INT64_MIN, whose magnitude 2^63 has no int64 form.
    const uint64_t magnitude = scaled < 0 ? 0 - Bits(scaled) : Bits(scaled);
    whole = static_cast<int64_t>(magnitude / SCALE);
    fraction = static_cast<int32_t>(magnitude % SCALE);
    sign = scaled < 0 ? -1 : 1;
}

ScaledAmount Amount::ToScaled() const
{
    const uint64_t magnitude = static_cast<uint64_t>(whole) * SCALE + static_cast<uint64_t>(fraction);
    return FromBits(sign < 0 ? 0 - magnitude : magnitude);
}

Amount& Amount::operator+=(const Amount& other)
{
    *this = Amount(FromBits(Bits(ToScaled()) + Bits(other.ToScaled())));
    return *this;
}

Amount Amount::BoundedSum(const Amount& other) const
{
    ScaledAmount sum = 0;
    // A sum that leaves the int64 range is far beyond the bound as well.
    if (__builtin_add_overflow(ToScaled(), other.ToScaled(), &sum))
        throw AmountOverflow{};
    const uint64_t magnitude = sum < 0 ? 0 - Bits(sum) : Bits(sum);
    if (magnitude >= BOUND)
        throw AmountOverflow{};
    return Amount(sum);
}

Amount Amount::Difference(const Amount& other) const
{
    return Amount(FromBits(Bits(ToScaled()) - Bits(other.ToScaled())));
}

void Amount::CopyValue(const Amount& other)
{
    whole = other.whole;
    fraction = other.fraction;
    sign = other.sign;
}
