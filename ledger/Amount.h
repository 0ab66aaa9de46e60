// Exact money: ten-thousandths of the currency unit, in sign-magnitude working form.
#pragma once

#include <cstdint>

// A signed count of ten-thousandths of the currency unit (one unit is 10000).
typedef int64_t ScaledAmount;

// Raised by the bounded sum when a result reaches 10^18 ten-thousandths.
struct AmountOverflow {};

class Amount {
public:
    Amount() = default;
    explicit Amount(ScaledAmount scaled);
    virtual ~Amount() = default;

    ScaledAmount ToScaled() const;
    Amount& operator+=(const Amount& other);               // unbounded, wraps
    Amount BoundedSum(const Amount& other) const;          // raises AmountOverflow
    Amount Difference(const Amount& other) const;          // this minus other, unbounded, wraps
    void CopyValue(const Amount& other);

    int64_t Whole() const { return whole; }
    int32_t Fraction() const { return fraction; }
    int16_t Sign() const { return sign; }

private:
    int64_t whole = 0;       // magnitude / 10000, never negative
    int32_t fraction = 0;    // magnitude % 10000
    int16_t sign = 1;        // -1 only for a non-zero negative value
};
