// The render tool: its frames are the headless window's frames, its PNG
// files hold them exactly, and its GIF's code stream decodes back.
#include "tools/render/render.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <random>

#include "tests/support/bmp_files.h"
#include "tests/support/saver_fixture.h"
#include "tools/render/gif_writer.h"
#include "tools/render/png_writer.h"

namespace {

using Pixels = std::vector<std::uint32_t>;

Pixels ReadPng(const std::string& path, int& w, int& h) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str())) return {};
    img.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, rgb.data(), 0, nullptr)) return {};
    w = static_cast<int>(img.width);
    h = static_cast<int>(img.height);
    Pixels out(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = (rgb[3 * i] << 16) | (rgb[3 * i + 1] << 8) | rgb[3 * i + 2];
    return out;
}

class RenderTest : public SaverTest {
  protected:
    static constexpr int kW = 320, kH = 240, kFrames = 6;

    // The frames of a plain headless run with the same clock: the window
    // as it stands after each frame's last copy (the logo's).
    std::vector<Pixels> HeadlessFrames() {
        host.tick = 777000;
        host.timeOfDay = 3600;
        host.screenWidthPx = kW;
        host.screenHeightPx = kH;
        screen.emplace(host);
        std::vector<Pixels> frames;
        screen->onDrawn = [&](const plat::Rect& r) {
            if (r.x == kW - 120 && r.y == kH - 40 && r.w == 120) frames.push_back(screen->window);
        };
        Run(kFrames * 50 - 1);
        return frames;
    }
};

TEST_F(RenderTest, FramesAndPngFilesEqualTheHeadlessWindow) {
    render::Options o;
    o.folder = folder.path();
    o.width = kW;
    o.height = kH;
    o.frames = kFrames;
    o.tick = 777000;
    o.timeOfDay = 3600;
    std::vector<Pixels> rendered;
    std::string error = render::Render(o, [&](int index, const render::Frame& f) {
        ASSERT_EQ(index, static_cast<int>(rendered.size()) + 1);
        ASSERT_EQ(f.width, kW);
        rendered.push_back(*f.pixels);
        ASSERT_TRUE(render::WritePng(folder / ("f" + std::to_string(index) + ".png"), f.width,
                                     f.height, *f.pixels));
    });
    plat::SetHost(&host);
    ASSERT_EQ(error, "");
    ASSERT_EQ(rendered.size(), static_cast<std::size_t>(kFrames));
    EXPECT_NE(rendered[0], rendered[1]);  // the flags move

    std::vector<Pixels> expected = HeadlessFrames();
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kFrames));
    for (int i = 0; i < kFrames; ++i) {
        EXPECT_TRUE(rendered[i] == expected[i]) << "frame " << i + 1;
        int w = 0, h = 0;
        Pixels png = ReadPng(folder / ("f" + std::to_string(i + 1) + ".png"), w, h);
        EXPECT_EQ(w, kW);
        EXPECT_EQ(h, kH);
        EXPECT_TRUE(png == expected[i]) << "png " << i + 1;
    }
    // The program folder was only read.
    EXPECT_FALSE(std::filesystem::exists(folder / "corvane.ini"));
}

TEST_F(RenderTest, AMissingPictureIsReportedWithTheSaversMessage) {
    std::filesystem::remove(Pictures() + "flag_background.bmp");
    render::Options o;
    o.folder = folder.path();
    int frames = 0;
    std::string error = render::Render(o, [&](int, const render::Frame&) { ++frames; });
    plat::SetHost(&host);
    EXPECT_EQ(error.rfind("One or more files are missing", 0), 0u) << error;
    EXPECT_EQ(frames, 0);
}

TEST_F(RenderTest, APictureOverTheBoundIsNamedWithTheReason) {
    testbmp::WriteMono(Pictures() + "logo.bmp", 1024, 1024);
    render::Options o;
    o.folder = folder.path();
    o.width = 320;
    o.height = 240;
    int frames = 0;
    std::string error = render::Render(o, [&](int, const render::Frame&) { ++frames; });
    plat::SetHost(&host);
    EXPECT_NE(error.find("logo.bmp: 1024x1024 pixels, larger than the 320x240 screen"),
              std::string::npos)
        << error;
    EXPECT_EQ(frames, 0);
}

// Golden frames: what reaches the window, byte for byte, in the first
// frames of runs at two sizes over the white tiles and over a fixed desktop
// picture. A change to how the drawing is done must not change a pixel; a
// change to what is drawn updates the digests here on purpose.
TEST_F(RenderTest, FramesMatchTheirGoldenDigests) {
    struct Case {
        int w, h;
        bool desktop;
        std::uint64_t digest;
    };
    const Case cases[] = {{320, 240, false, 0xd731ca9673cc77eaull},
                          {1024, 768, false, 0x34f2065a80148a16ull},
                          {320, 240, true, 0x4ec0203ca81f9c13ull},
                          {1024, 768, true, 0xb0972616ce2b0393ull}};
    for (const Case& c : cases) {
        std::ofstream(folder / "corvane.ini") << (c.desktop ? "[mode]\r\nscMode=1\r\n" : "");
        render::Options o;
        o.folder = folder.path();
        o.width = c.w;
        o.height = c.h;
        o.frames = 12;
        o.tick = 777000;
        o.timeOfDay = 3600;
        if (c.desktop)
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    o.desktop.push_back(((x * 5) & 0xFF) << 16 | ((y * 3) & 0xFF) << 8 |
                                        ((x ^ y) & 0xFF));
        std::uint64_t digest = 14695981039346656037ull;  // FNV-1a over every frame's bytes
        std::string error = render::Render(o, [&](int, const render::Frame& f) {
            for (std::uint32_t p : *f.pixels)
                for (int b = 0; b < 4; ++b)
                    digest = (digest ^ ((p >> (8 * b)) & 0xFF)) * 1099511628211ull;
        });
        plat::SetHost(&host);
        ASSERT_EQ(error, "");
        EXPECT_EQ(digest, c.digest) << c.w << "x" << c.h << (c.desktop ? " desktop" : " white")
                                    << ": 0x" << std::hex << digest;
    }
}

// GIF's LZW decoder, as a viewer runs it.
std::vector<std::uint8_t> LzwDecode(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::vector<std::uint8_t>> table;
    auto reset = [&] {
        table.assign(258, {});
        for (int i = 0; i < 256; ++i) table[i] = {static_cast<std::uint8_t>(i)};
    };
    reset();
    std::vector<std::uint8_t> out;
    std::size_t bit = 0;
    int size = 9, prev = -1;
    for (;;) {
        if (bit + size > bytes.size() * 8) break;
        int code = 0;
        for (int i = 0; i < size; ++i, ++bit) code |= ((bytes[bit / 8] >> (bit % 8)) & 1) << i;
        if (code == 256) {
            reset();
            size = 9;
            prev = -1;
            continue;
        }
        if (code == 257) break;
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size()))
            entry = table[code];
        else if (prev >= 0 && code == static_cast<int>(table.size())) {
            entry = table[prev];
            entry.push_back(table[prev][0]);
        } else {
            ADD_FAILURE() << "bad code " << code;
            return out;
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (prev >= 0 && table.size() < 4096) {
            table.push_back(table[prev]);
            table.back().push_back(entry[0]);
        }
        if (table.size() == (1u << size) && size < 12) ++size;
        prev = code;
    }
    return out;
}

TEST(GifWriter, TheCodeStreamDecodesBackAcrossWidthsAndTableResets) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> noisy(200000), runs(100000, 9), smallAlphabet(300000);
    for (auto& v : noisy) v = static_cast<std::uint8_t>(random());
    for (auto& v : smallAlphabet) v = static_cast<std::uint8_t>(random() % 3);
    for (const auto* in : {&noisy, &runs, &smallAlphabet})
        EXPECT_TRUE(LzwDecode(render::LzwEncode(*in)) == *in);
    EXPECT_TRUE(LzwDecode(render::LzwEncode({})).empty());
    EXPECT_TRUE(LzwDecode(render::LzwEncode({42})) == std::vector<std::uint8_t>{42});
}

TEST(GifWriter, PaletteKeepsFewColoursExactlyAndCutsManyTo256) {
    Pixels few = {0xFFFFFF, 0x123456, 0xFFFFFF, 0x00FF00};
    EXPECT_EQ(render::MakePalette(few), (Pixels{0x00FF00, 0x123456, 0xFFFFFF}));
    Pixels many(100000);
    for (std::size_t i = 0; i < many.size(); ++i) many[i] = static_cast<std::uint32_t>(i * 167);
    EXPECT_EQ(render::MakePalette(many).size(), 256u);
}

TEST(GifWriter, WritesOneImagePerFrameAndTheTrailer) {
    TempFolder dir;
    render::GifWriter gif;
    ASSERT_TRUE(gif.Open(dir / "a.gif", 4, 2, 5));
    Pixels frame = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0, 0xFFFFFF, 0xFFFFFF};
    ASSERT_TRUE(gif.Add(frame));
    ASSERT_TRUE(gif.Add(frame));
    EXPECT_FALSE(gif.Add(Pixels(3)));  // wrong size
    ASSERT_TRUE(gif.Close());
    std::string bytes = dir.Read("a.gif");
    EXPECT_EQ(bytes.substr(0, 6), "GIF89a");
    EXPECT_EQ(bytes.back(), '\x3B');
    std::size_t images = 0;
    for (std::size_t at = 0; (at = bytes.find("\x21\xF9\x04", at)) != std::string::npos; ++at)
        ++images;
    EXPECT_EQ(images, 2u);
    EXPECT_EQ(render::MakePalette(frame)[gif.IndexOf(0xFF0000)], 0xFF0000u);
}

}  // namespace
