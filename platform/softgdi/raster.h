// Raster operations of BitBlt: the ternary rule and its row kernels.
// Internal to the software GDI.
#pragma once
#include <cstdint>

#include "platform/rop.h"

namespace softgdi {

// The rule applied to every bit of s and d, for the truth table byte
// `code` (plat::TernaryCode). DCs here always draw with the fresh DC's white
// brush, so the pattern is all ones.
inline std::uint32_t Ternary(std::uint8_t code, std::uint32_t s, std::uint32_t d) {
    using plat::RopKind;
    switch (plat::KindOfTable(code)) {
        case RopKind::Copy:
            return s;
        case RopKind::And:
            return s & d;
        case RopKind::Or:
            return s | d;
        case RopKind::Xor:
            return s ^ d;
        case RopKind::FillWhite:
            return ~0u;
        case RopKind::FillBlack:
            return 0;
        case RopKind::General:
            break;
    }
    constexpr std::uint32_t p = ~0u;
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if ((code >> i) & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r;
}

// The word-wise operations, for single words and for vectors of them.
struct OpCopy {
    template <typename T>
    T operator()(T s, T) const {
        return s;
    }
};
struct OpAnd {
    template <typename T>
    T operator()(T s, T d) const {
        return s & d;
    }
};
struct OpOr {
    template <typename T>
    T operator()(T s, T d) const {
        return s | d;
    }
};
struct OpXor {
    template <typename T>
    T operator()(T s, T d) const {
        return s ^ d;
    }
};

// Calls f(OpX{}) for the four operations with word-wise kernels; false for
// any other truth table byte.
template <typename F>
bool WithWordOp(std::uint8_t code, F&& f) {
    using plat::RopKind;
    switch (plat::KindOfTable(code)) {
        case RopKind::Copy:
            f(OpCopy{});
            return true;
        case RopKind::And:
            f(OpAnd{});
            return true;
        case RopKind::Or:
            f(OpOr{});
            return true;
        case RopKind::Xor:
            f(OpXor{});
            return true;
        default:
            return false;
    }
}

}  // namespace softgdi
