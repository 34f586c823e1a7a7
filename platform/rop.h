// The raster operations of BitBlt, as one table: each named operation with
// its code, whether it reads the source, and which fast path the software
// GDI may take for it. Portable: no OS headers, so it may be included before
// <windows.h> defines the same names as macros.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace plat {

// The operations with a kernel of their own; General goes through the
// truth table bit by bit.
enum class RopKind : std::uint8_t { Copy, And, Or, Xor, FillWhite, FillBlack, General };

struct Rop {
    std::uint32_t code;
    std::string_view name;
    bool usesSource;
    RopKind kind;
};

// The word-wise fast paths come first, in the order the differential trace
// draws them from.
inline constexpr std::array<Rop, 9> kRops = {{
    {0x00CC0020, "SRCCOPY", true, RopKind::Copy},
    {0x00EE0086, "SRCPAINT", true, RopKind::Or},
    {0x008800C6, "SRCAND", true, RopKind::And},
    {0x00660046, "SRCINVERT", true, RopKind::Xor},
    {0x00FF0062, "WHITENESS", false, RopKind::FillWhite},
    {0x00000042, "BLACKNESS", false, RopKind::FillBlack},
    {0x00330008, "NOTSRCCOPY", true, RopKind::General},
    {0x00BB0226, "MERGEPAINT", true, RopKind::General},
    {0x00550009, "DSTINVERT", false, RopKind::General},
}};

// The operation's truth table: bit (P<<2 | S<<1 | D) of this byte is the
// result for pattern P, source S and destination D.
constexpr std::uint8_t TernaryCode(std::uint32_t rop) {
    return static_cast<std::uint8_t>(rop >> 16);
}

// True when some pattern and destination give a different result for S=0
// and S=1, i.e. bit i differs from bit i+2 for an i with S clear.
constexpr bool UsesSource(std::uint32_t rop) {
    const std::uint8_t t = TernaryCode(rop);
    return (((t >> 2) ^ t) & 0x33) != 0;
}

// The named row with this code, or nullptr.
constexpr const Rop* FindRop(std::uint32_t code) {
    for (const Rop& r : kRops)
        if (r.code == code) return &r;
    return nullptr;
}

// The code of a named row; naming a missing row fails to compile when the
// result is needed as a constant.
constexpr std::uint32_t RopCodeNamed(std::string_view name) {
    for (const Rop& r : kRops)
        if (r.name == name) return r.code;
    throw "no raster operation by that name";
}

// The truth table each fast path stands for, by RopKind; -1 for General.
constexpr int KindTable(RopKind kind) {
    constexpr int tables[] = {0xCC, 0x88, 0xEE, 0x66, 0xFF, 0x00, -1};
    return tables[static_cast<int>(kind)];
}

// The fast path by truth table byte, for any code: a row's kind, General
// for a byte no row names.
inline constexpr std::array<RopKind, 256> kRopKindByTable = [] {
    std::array<RopKind, 256> k{};
    k.fill(RopKind::General);
    for (const Rop& r : kRops) k[TernaryCode(r.code)] = r.kind;
    return k;
}();

constexpr RopKind KindOfTable(std::uint8_t table) {
    return kRopKindByTable[table];
}

constexpr bool SourceFlagsAgree() {
    for (const Rop& r : kRops)
        if (r.usesSource != UsesSource(r.code)) return false;
    return true;
}
static_assert(SourceFlagsAgree(), "a row's uses-source flag disagrees with its truth table");

// Each row's fast path is its truth table, and no two rows share one.
constexpr bool RowsAgree() {
    for (std::size_t i = 0; i < kRops.size(); ++i) {
        const Rop& r = kRops[i];
        const int table = KindTable(r.kind);
        if (r.kind != RopKind::General && table != TernaryCode(r.code)) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (TernaryCode(kRops[j].code) == TernaryCode(r.code)) return false;
    }
    return true;
}
static_assert(RowsAgree(), "a row's fast path disagrees with its truth table");

// A General row must not be a fast path under another name.
constexpr bool GeneralRowsAreGeneral() {
    for (const Rop& r : kRops)
        for (int k = 0; r.kind == RopKind::General && k < int(RopKind::General); ++k)
            if (KindTable(RopKind(k)) == TernaryCode(r.code)) return false;
    return true;
}
static_assert(GeneralRowsAreGeneral());
// The rule on codes no row names: PATCOPY ignores the source, MERGECOPY reads it.
static_assert(!UsesSource(0x00F00021) && UsesSource(0x00C000CA));

}  // namespace plat
