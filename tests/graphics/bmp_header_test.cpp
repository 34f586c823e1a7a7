// The shared .bmp header check: where each limit falls, and that sizes are
// compared without overflow.
#include "platform/bmp_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// File and information headers of an uncompressed picture whose pixels
// start right after them (and a full colour table, for 8 bits or fewer).
Bytes Head(std::int32_t width, std::int32_t height, int bits = 24) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 10, 54 + (bits <= 8 ? 4u << bits : 0));
    Put(b, 14, 40);
    Put(b, 18, static_cast<std::uint32_t>(width));
    Put(b, 22, static_cast<std::uint32_t>(height));
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    return b;
}

// The check on headers alone, as if the file went on for `fileSize` bytes.
bool Accepts(const Bytes& b, std::uint64_t fileSize = std::uint64_t{1} << 40) {
    return plat::ReadBmpHeader(b.data(), b.size(), fileSize).has_value();
}

TEST(BmpHeader, ReadsAnUncompressedPicture) {
    Bytes b = Head(3, -2);
    b.resize(54 + 2 * 12);
    const auto h = plat::ReadBmpHeader(b.data(), b.size(), b.size());
    ASSERT_TRUE(h);
    EXPECT_EQ(h->width, 3);
    EXPECT_EQ(h->height, 2);
    EXPECT_TRUE(h->topDown);
    EXPECT_EQ(h->bitCount, 24);
    EXPECT_EQ(h->stride, 12u);
    EXPECT_EQ(h->pixelOffset, 54u);
    EXPECT_EQ(h->pixelBytes, 24u);
    EXPECT_EQ(h->colours, 0u);
}

TEST(BmpHeader, EveryPixelRowMustBeInTheFileWithItsPadding) {
    Bytes b = Head(3, 2);
    EXPECT_TRUE(Accepts(b, 54 + 24));
    EXPECT_FALSE(Accepts(b, 54 + 23));
    EXPECT_FALSE(Accepts(Bytes(b.begin(), b.end() - 1), 53));  // cut inside the header
    EXPECT_FALSE(plat::ReadBmpHeader(nullptr, 54, 54));
    b[1] = 'X';
    EXPECT_FALSE(Accepts(b));
}

TEST(BmpHeader, SideAndPixelLimits) {
    EXPECT_TRUE(Accepts(Head(16384, 1)));
    EXPECT_FALSE(Accepts(Head(16385, 1)));
    EXPECT_TRUE(Accepts(Head(1, -16384)));
    EXPECT_FALSE(Accepts(Head(1, -16385)));
    EXPECT_TRUE(Accepts(Head(16384, 4096, 1)));   // 1 << 26 pixels
    EXPECT_FALSE(Accepts(Head(16384, 4097, 1)));  // one row more
    EXPECT_FALSE(Accepts(Head(0, 1)));
    EXPECT_FALSE(Accepts(Head(-1, 1)));
    EXPECT_FALSE(Accepts(Head(1, 0)));
    EXPECT_FALSE(Accepts(Head(1, INT32_MIN)));
}

TEST(BmpHeader, HeaderSizePlanesDepthAndCompression) {
    Bytes b = Head(2, 2);
    Put(b, 14, 12);  // the old core header: not read
    EXPECT_FALSE(Accepts(b));
    Put(b, 14, 125);
    EXPECT_FALSE(Accepts(b));
    Put(b, 14, 124);
    Put(b, 10, 14 + 124);
    EXPECT_TRUE(Accepts(b));
    Put(b, 10, 14 + 123);  // pixels inside the header
    EXPECT_FALSE(Accepts(b));
    b = Head(2, 2);
    Put(b, 26, 2, 2);
    EXPECT_FALSE(Accepts(b));
    EXPECT_FALSE(Accepts(Head(2, 2, 7)));
    b = Head(2, 2, 24);
    Put(b, 30, plat::kBmpBitfields);
    EXPECT_FALSE(Accepts(b));  // masks need 16 or 32 bits
    Put(b, 28, 32, 2);
    Put(b, 10, 54 + 12);  // three masks after a 40-byte header
    EXPECT_TRUE(Accepts(b));
    Put(b, 10, 54 + 8);
    EXPECT_FALSE(Accepts(b));
}

TEST(BmpHeader, ColourTableEndsBeforeThePixels) {
    Bytes b = Head(3, 2, 8);
    Put(b, 46, 3);
    Put(b, 10, 54 + 12);
    const auto h = plat::ReadBmpHeader(b.data(), b.size(), 1 << 20);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->colours, 3u);
    Put(b, 10, 54 + 8);
    EXPECT_FALSE(Accepts(b));
    Put(b, 46, 0);  // a full table of 256
    Put(b, 10, 54 + 1024);
    EXPECT_TRUE(Accepts(b));
    Put(b, 10, 54 + 1020);
    EXPECT_FALSE(Accepts(b));
    Put(b, 46, 257);
    Put(b, 10, 54 + 4 * 257);
    EXPECT_FALSE(Accepts(b));
}

TEST(BmpHeader, RunLengthPixelsTakeTheirStatedSize) {
    Bytes b = Head(4, 4, 8);
    Put(b, 30, plat::kBmpRle8);
    Put(b, 46, 2);
    Put(b, 10, 54 + 8);
    Put(b, 34, 10);  // the image size
    const auto h = plat::ReadBmpHeader(b.data(), b.size(), 54 + 8 + 10);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->pixelBytes, 10u);
    EXPECT_FALSE(Accepts(b, 54 + 8 + 9));
    Put(b, 34, 0);
    EXPECT_FALSE(Accepts(b));
    Put(b, 34, 10);
    Put(b, 22, static_cast<std::uint32_t>(-4));  // top-down runs do not exist
    EXPECT_FALSE(Accepts(b));
    Put(b, 22, 4);
    Put(b, 28, 24, 2);
    EXPECT_FALSE(Accepts(b));
}

TEST(BmpHeader, ARunLengthCanvasMayNotFarOutgrowItsData) {
    // 10 bytes of runs can fill 1280 pixels at the most generous count.
    Bytes b = Head(1280, 1, 8);
    Put(b, 30, plat::kBmpRle8);
    Put(b, 34, 10);
    EXPECT_TRUE(Accepts(b));
    Put(b, 18, 1281);
    EXPECT_FALSE(Accepts(b));
    // A hostile header: 8192 x 8192 from a few bytes.
    Put(b, 18, 8192);
    Put(b, 22, 8192);
    EXPECT_FALSE(Accepts(b));
}

TEST(BmpHeader, OffsetsNearTheTopOfTheRangeDoNotWrap) {
    Bytes b = Head(3, 2);
    Put(b, 10, 0xFFFFFFF0);  // 24 pixel bytes from here pass 2^32
    EXPECT_FALSE(Accepts(b, 0xFFFFFFFF));
    EXPECT_TRUE(Accepts(b, std::uint64_t{0xFFFFFFF0} + 24));
    EXPECT_FALSE(Accepts(b, 54));
}

}  // namespace
