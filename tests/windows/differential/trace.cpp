// The differential trace: the same generated BitBlt calls, sprite drawings and
// profile-string reads and writes, run on whichever implementation this
// program is linked with (our software GDI and settings file on Linux, the
// real gdi32 and kernel32 under Wine). Each case prints one line; the
// outputs of both builds are compared line by line.
//   corvane_differential_trace [CASES] [SEED] [outside]
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/profile.h"
#include "tests/windows/bmp_bytes.h"

namespace {

// A small generator of our own, so both builds draw the same cases.
class Lcg {
  public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int Range(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<std::uint32_t>(hi - lo + 1));
    }

  private:
    std::uint32_t state_;
};

std::uint64_t Fnv(const std::vector<std::uint32_t>& pixels) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t p : pixels)
        for (int i = 0; i < 4; ++i) h = (h ^ ((p >> (8 * i)) & 0xFF)) * 1099511628211ull;
    return h;
}

std::uint32_t Colour(Lcg& r) {
    static const std::uint32_t common[] = {0x00FF00, 0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF};
    return r.Range(0, 2) == 0 ? common[r.Range(0, 4)] : (r.Next() & 0xFFFFFF);
}

struct Surface {
    plat::HDC dc = 0;
    plat::HBITMAP bmp = 0;
    plat::HGDIOBJ old = 0;
    int width = 0, height = 0;
    ~Surface() {
        if (dc && old) plat::SelectObject(dc, old);
        if (bmp) plat::DeleteObject(bmp);
        if (dc) plat::DeleteDC(dc);
    }
};

void MakeColour(Surface& s, Lcg& r, int w, int h) {
    bmptest::Picture p = bmptest::Filled(w, h, 0);
    for (auto& px : p.pixels) px = Colour(r);
    const auto bytes = bmptest::Encode24(p);
    s.width = w;
    s.height = h;
    s.bmp = plat::LoadBitmapFromMemory(bytes.data(), bytes.size());
    s.dc = plat::CreateCompatibleDC(0);
    if (s.dc && s.bmp) s.old = plat::SelectObject(s.dc, s.bmp);
}

// A mono surface whose bits come from a random colour picture.
void MakeMono(Surface& s, Lcg& r, int w, int h) {
    Surface from;
    MakeColour(from, r, w, h);
    s.width = w;
    s.height = h;
    s.dc = plat::CreateCompatibleDC(0);
    if (s.dc) s.bmp = plat::CreateCompatibleBitmap(s.dc, w, h);
    if (s.bmp) s.old = plat::SelectObject(s.dc, s.bmp);
    plat::SetBkColor(from.dc, 0x00FF00);
    plat::BitBlt(s.dc, 0, 0, w, h, from.dc, 0, 0, plat::SRCCOPY);
}

std::string Read(const Surface& s, const std::string& tmp) {
    char line[64];
    if (!plat::SaveBitmapFile(s.bmp, tmp)) return "unsaved";
    std::FILE* f = std::fopen(tmp.c_str(), "rb");
    std::vector<std::uint8_t> bytes;
    if (f) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    const bmptest::Picture p = bmptest::Decode(bytes);
    std::snprintf(line, sizeof line, "%dx%d %016" PRIx64, p.width, p.height, Fnv(p.pixels));
    return line;
}

// The operations with a fast path of their own, in table order.
std::vector<std::uint32_t> FastPathRops() {
    std::vector<std::uint32_t> rops;
    for (const plat::Rop& rop : plat::kRops)
        if (rop.kind != plat::RopKind::General) rops.push_back(rop.code);
    return rops;
}

void GdiCase(int i, Lcg& r, const std::string& tmp, bool sourceOutside) {
    static const std::vector<std::uint32_t> rops = FastPathRops();
    Surface src, dst;
    const bool monoSrc = r.Range(0, 3) == 0, monoDst = r.Range(0, 3) == 0;
    const int sw = r.Range(1, 12), sh = r.Range(1, 12), dw = r.Range(1, 12), dh = r.Range(1, 12);
    monoSrc ? MakeMono(src, r, sw, sh) : MakeColour(src, r, sw, sh);
    monoDst ? MakeMono(dst, r, dw, dh) : MakeColour(dst, r, dw, dh);
    if (r.Range(0, 1)) plat::SetBkColor(src.dc, Colour(r));
    if (r.Range(0, 1)) plat::SetBkColor(dst.dc, Colour(r));
    if (r.Range(0, 1)) plat::SetTextColor(dst.dc, Colour(r));
    const std::uint32_t rop = rops[r.Range(0, int(rops.size()) - 1)];
    // The destination may reach past its surface; the source rectangle lies
    // inside its surface unless sourceOutside (see the test script's notes).
    const int x = r.Range(-3, dw), y = r.Range(-3, dh);
    const int w = r.Range(0, 12), h = r.Range(0, 12);
    const int sx = sourceOutside ? r.Range(-3, sw) : r.Range(0, sw - 1);
    const int sy = sourceOutside ? r.Range(-3, sh) : r.Range(0, sh - 1);
    const int cw = sourceOutside ? w : std::min(w, sw - sx);
    const int ch = sourceOutside ? h : std::min(h, sh - sy);
    plat::BitBlt(dst.dc, x, y, cw, ch, src.dc, sx, sy, rop);
    std::printf("gdi %d %s%s rop %06x: %s\n", i, monoSrc ? "m" : "c", monoDst ? "m" : "c",
                static_cast<unsigned>(rop), Read(dst, tmp).c_str());
}

// A sprite drawn as the saver draws one: its mask ORed and its pixels ANDed
// onto the same rectangle, at times over a background copied there first,
// at times with other calls between or the target's colours changed (which
// our GDI runs apart rather than in one pass).
void SpriteCase(int i, Lcg& r, const std::string& tmp) {
    Surface dst, background, mask, sprite;
    const int w = r.Range(1, 24), h = r.Range(1, 6), dw = r.Range(4, 30), dh = r.Range(2, 8);
    MakeColour(dst, r, dw, dh);
    MakeColour(background, r, w + 3, h + 2);
    MakeMono(mask, r, w + 9, h);
    MakeColour(sprite, r, w + 9, h);
    if (r.Range(0, 3) == 0) plat::SetTextColor(dst.dc, Colour(r));
    const bool copy = r.Range(0, 1), apart = r.Range(0, 4) == 0;
    const int x = r.Range(-3, dw - 1), y = r.Range(-2, dh - 1), cell = r.Range(0, 9);
    if (copy)
        plat::BitBlt(dst.dc, x, y, w, h, background.dc, r.Range(0, 3), r.Range(0, 2),
                     plat::SRCCOPY);
    if (apart) plat::BitBlt(background.dc, 0, 0, 1, 1, background.dc, 0, 0, plat::SRCCOPY);
    plat::BitBlt(dst.dc, x, y, w, h, mask.dc, cell, 0, plat::SRCPAINT);
    if (apart) plat::BitBlt(background.dc, 0, 0, 1, 1, background.dc, 0, 0, plat::SRCCOPY);
    plat::BitBlt(dst.dc, x, y, w, h, sprite.dc, cell, 0, plat::SRCAND);
    std::printf("sprite %d %s%s: %s\n", i, copy ? "copy " : "", apart ? "apart" : "joined",
                Read(dst, tmp).c_str());
}

std::string Text(Lcg& r, int maxLen) {
    static const char chars[] = "abcXYZ019 =;_-.";
    std::string s;
    const int n = r.Range(0, maxLen);
    for (int k = 0; k < n; ++k) s += chars[r.Range(0, sizeof chars - 2)];
    return s;
}

void ProfileCase(int i, Lcg& r, const std::string& ini) {
    static const char* sections[] = {"mode", "Mode", "MODE", "applic", "two words"};
    static const char* keys[] = {"scMode", "SCMODE", "appcurrent", "appDisplay", "k 1"};
    const std::string section = sections[r.Range(0, 4)];
    const std::string key = keys[r.Range(0, 4)];
    if (r.Range(0, 2) == 0) {
        // Values without outer blanks: the readers trim them alike.
        std::string value = r.Range(0, 5) == 0 ? std::string(r.Range(250, 300), 'v') : Text(r, 12);
        while (!value.empty() && value.back() == ' ') value.pop_back();
        while (!value.empty() && value.front() == ' ') value.erase(0, 1);
        const bool ok = plat::WritePrivateProfileStringA(section, key, value, ini);
        std::printf("ini %d write [%s] %s=%zu chars: %d\n", i, section.c_str(), key.c_str(),
                    value.size(), ok);
        return;
    }
    static const std::uint32_t sizes[] = {1, 2, 5, 255, 256};
    const std::uint32_t size = sizes[r.Range(0, 4)];
    std::vector<char> buf(size + 1, '#');
    const std::string def = r.Range(0, 1) ? "" : "dflt  ";
    const std::uint32_t n =
        plat::GetPrivateProfileStringA(section, key, def, buf.data(), size, ini);
    std::printf("ini %d read [%s] %s size %u: %u [%s]\n", i, section.c_str(), key.c_str(), size, n,
                std::string(buf.data(), n).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int cases = argc > 1 ? std::atoi(argv[1]) : 400;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1);
    const auto dir = std::filesystem::temp_directory_path();
    const std::string tmp = (dir / "corvane-trace.bmp").string();
    const std::string ini = (dir / "corvane-trace.ini").string();
    std::filesystem::remove(ini);
    const bool outside = argc > 3 && std::string(argv[3]) == "outside";
    Lcg r(seed);
    for (int i = 0; i < cases; ++i) GdiCase(i, r, tmp, outside);
    for (int i = 0; i < cases; ++i) ProfileCase(i, r, ini);
    for (int i = 0; i < cases; ++i) SpriteCase(i, r, tmp);
    std::filesystem::remove(tmp);
    std::filesystem::remove(ini);
    std::printf("trace done: %d cases\n", cases);
    return 0;
}
