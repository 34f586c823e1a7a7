// 32-bit arithmetic that raises OverflowError instead of wrapping.
#pragma once
#include <cstdint>

#include "common/errors.h"

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r)) throw OverflowError();
    return r;
}

inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) throw OverflowError();
    return r;
}

inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw OverflowError();
    return r;
}

inline std::int32_t CheckedNeg(std::int32_t a) {
    return CheckedSub(0, a);
}

inline std::int32_t CheckedAbs(std::int32_t a) {
    return a < 0 ? CheckedNeg(a) : a;
}

// Integer division truncating toward zero; raises on 0 and on overflow.
inline std::int32_t CheckedDiv(std::int32_t a, std::int32_t b) {
    if (b == 0) throw DivisionByZeroError();
    if (a == INT32_MIN && b == -1) throw OverflowError();
    return a / b;
}

inline std::int32_t CheckedMod(std::int32_t a, std::int32_t b) {
    if (b == 0) throw DivisionByZeroError();
    if (b == -1) return 0;
    return a % b;
}
