// Raster operations of BitBlt: the ternary rule and its row kernels.
// Internal to the software GDI.
#pragma once
#include <cstdint>

namespace softgdi {

// The operation's truth table: bit (P<<2 | S<<1 | D) of the code is the
// result for pattern P, source S and destination D.
constexpr std::uint8_t RopCode(std::uint32_t rop) {
    return static_cast<std::uint8_t>(rop >> 16);
}

constexpr bool UsesSource(std::uint8_t code) {
    return (((code >> 2) ^ code) & 0x33) != 0;
}

// The rule applied to every bit of s and d. DCs here always draw with the
// fresh DC's white brush, so the pattern is all ones.
inline std::uint32_t Ternary(std::uint8_t code, std::uint32_t s, std::uint32_t d) {
    switch (code) {
        case 0xCC:
            return s;
        case 0x88:
            return s & d;
        case 0xEE:
            return s | d;
        case 0x66:
            return s ^ d;
        case 0xFF:
            return ~0u;
        case 0x00:
            return 0;
        default:
            break;
    }
    constexpr std::uint32_t p = ~0u;
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if ((code >> i) & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return r;
}

struct OpCopy {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t) const { return s; }
};
struct OpAnd {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t d) const { return s & d; }
};
struct OpOr {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t d) const { return s | d; }
};
struct OpXor {
    std::uint32_t operator()(std::uint32_t s, std::uint32_t d) const { return s ^ d; }
};

// Calls f(OpX{}) for the four operations with word-wise kernels; false for
// any other code.
template <typename F>
bool WithWordOp(std::uint8_t code, F&& f) {
    switch (code) {
        case 0xCC:
            f(OpCopy{});
            return true;
        case 0x88:
            f(OpAnd{});
            return true;
        case 0xEE:
            f(OpOr{});
            return true;
        case 0x66:
            f(OpXor{});
            return true;
        default:
            return false;
    }
}

}  // namespace softgdi
