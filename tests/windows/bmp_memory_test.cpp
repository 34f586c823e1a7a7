// Pictures from .bmp bytes in memory: the usual layouts load alike, and a
// malformed or hostile file gives 0 instead of a crash or a huge allocation.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/windows/gdi_surface.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

plat::HBITMAP Load(const Bytes& b) {
    return plat::LoadBitmapFromMemory(b.data(), b.size());
}

void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
    if (at + 4 > b.size()) return;
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bmptest::Picture Checker() {
    bmptest::Picture p = bmptest::Filled(5, 3, 0xFFFFFF);
    for (int i = 0; i < 15; i += 2) p.pixels[static_cast<std::size_t>(i)] = 0x1F2E3D + i;
    return p;
}

bmptest::Picture ReadBack(plat::HBITMAP bmp) {
    const std::string path = bmptest::TempFile("mem");
    bmptest::Picture p;
    if (plat::SaveBitmapFile(bmp, path)) p = bmptest::Decode(bmptest::ReadFile(path));
    std::remove(path.c_str());
    return p;
}

TEST(BitmapFromMemory, BottomUpAndTopDownGiveTheSamePixels) {
    const bmptest::Picture p = Checker();
    for (bool topDown : {false, true}) {
        plat::HBITMAP bmp = Load(bmptest::Encode24(p, topDown));
        ASSERT_NE(bmp, 0u) << topDown;
        EXPECT_EQ(ReadBack(bmp).pixels, p.pixels) << topDown;
        plat::DeleteObject(bmp);
    }
}

TEST(BitmapFromMemory, PalettedPicturesTakeTheirColoursFromTheTable) {
    const std::vector<std::uint32_t> palette = {0x00FF00, 0x123456, 0xFFFFFF};
    const std::vector<std::uint8_t> index = {0, 1, 2, 2, 1, 0};
    plat::HBITMAP bmp = Load(bmptest::Encode8(3, 2, index, palette));
    ASSERT_NE(bmp, 0u);
    EXPECT_EQ(ReadBack(bmp).pixels, (std::vector<std::uint32_t>{0x00FF00, 0x123456, 0xFFFFFF,
                                                                0xFFFFFF, 0x123456, 0x00FF00}));
    plat::DeleteObject(bmp);
}

TEST(BitmapFromMemory, MalformedFilesGiveZero) {
    const Bytes good = bmptest::Encode24(Checker());
    ASSERT_NE(Load(good), 0u);

    std::vector<Bytes> bad;
    bad.push_back({});
    bad.push_back(Bytes(good.begin(), good.begin() + 20));  // cut inside the header
    bad.push_back(Bytes(good.begin(), good.end() - 4));     // pixels cut short
    Bytes magic = good;
    magic[0] = 'X';
    bad.push_back(magic);
    Bytes offset = good;
    Set32(offset, 10, 0x7FFFFFF0);  // pixels beyond the end
    bad.push_back(offset);
    Bytes wide = good;
    Set32(wide, 18, 0x7FFFFFFF);  // absurd width
    bad.push_back(wide);
    Bytes tall = good;
    Set32(tall, 22, 0x80000000);  // most negative height
    bad.push_back(tall);
    Bytes zero = good;
    Set32(zero, 18, 0);
    bad.push_back(zero);
    Bytes depth = good;
    depth[28] = 7;  // no such bit depth
    bad.push_back(depth);
    Bytes header = good;
    Set32(header, 14, 0xFFFFFF00);  // info header larger than the file
    bad.push_back(header);
    Bytes table = bmptest::Encode8(3, 2, {0, 1, 2, 2, 1, 0}, {0, 1, 2});
    Set32(table, 10, 14 + 40);  // pixels start inside the colour table
    bad.push_back(table);

    for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(Load(bad[i]), 0u) << "case " << i;
    EXPECT_EQ(plat::LoadBitmapFromMemory(nullptr, 100), 0u);
}

}  // namespace

namespace {

// The fuzzer's seed files (valid, odd and hostile) through both loaders:
// each gives a bitmap of a sane size or 0, and never crashes.
TEST(BitmapFromMemory, FuzzCorpusFilesLoadOrGiveZero) {
    const std::filesystem::path corpus =
        std::filesystem::path(CORVANE_SOURCE_DIR) / "fuzz/corpus/bmp";
    if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    int files = 0, loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::vector<std::uint8_t> bytes = bmptest::ReadFile(entry.path().string());
        for (plat::HBITMAP bmp : {plat::LoadBitmapFromMemory(bytes.data(), bytes.size()),
                                  plat::LoadImageA(0, entry.path().string(), plat::IMAGE_BITMAP, 0,
                                                   0, plat::LR_LOADFROMFILE)}) {
            if (bmp == 0) continue;
            plat::BITMAP bm{};
            ASSERT_EQ(plat::GetObjectA(bmp, sizeof bm, &bm), 24) << entry.path();
            EXPECT_GT(bm.bmWidth, 0);
            EXPECT_LE(bm.bmWidth, 32767);
            EXPECT_GT(bm.bmHeight, 0);
            EXPECT_LE(bm.bmHeight, 32767);
            ++loaded;
            plat::DeleteObject(bmp);
        }
        ++files;
    }
    EXPECT_GT(files, 0);
    RecordProperty("loaded", loaded);
}

}  // namespace
