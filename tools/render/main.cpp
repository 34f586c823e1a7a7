// corvane-render: the saver's frames without a display, as PNG files or one
// animated GIF.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "tools/render/gif_writer.h"
#include "tools/render/png_writer.h"
#include "tools/render/render.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane-render [--size WxH] [--frames N] [--out DIR] [--gif FILE] [--folder DIR]\n"
    "  Runs the screen saver without a display and writes its frames as\n"
    "  DIR/frame-0001.png ... and/or one animated GIF. The program folder\n"
    "  (corvane.ini and the pictures) is --folder, else this program's own\n"
    "  folder, else the current folder. Defaults: 800x600, 40 frames.\n";

struct Args {
    render::Options options;
    std::string out, gif;
};

bool ParseSize(const char* text, int& w, int& h) {
    char x = 0, extra = 0;
    return std::sscanf(text, "%d%c%d%c", &w, &x, &h, &extra) == 3 && (x == 'x' || x == 'X') &&
           w > 0 && h > 0 && w <= 16384 && h <= 16384;
}

bool HasPictures(const std::string& folder) {
    return std::filesystem::is_directory(std::filesystem::path(folder) / "vantrelsoftware" /
                                         "corvane");
}

bool Parse(int argc, char** argv, const std::string& ownFolder, Args& a) {
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) return false;
        ++i;
        if (arg == "--size") {
            if (!ParseSize(value, a.options.width, a.options.height)) return false;
        } else if (arg == "--frames") {
            char* end = nullptr;
            long n = std::strtol(value, &end, 10);
            if (*end || n <= 0 || n > 100000) return false;
            a.options.frames = static_cast<int>(n);
        } else if (arg == "--out") {
            a.out = value;
        } else if (arg == "--gif") {
            a.gif = value;
        } else if (arg == "--folder") {
            folder = value;
        } else {
            return false;
        }
    }
    if (folder.empty()) folder = HasPictures(ownFolder) ? ownFolder : ".";
    a.options.folder = folder;
    return !a.out.empty() || !a.gif.empty();
}

std::string FrameName(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

}  // namespace

int main(int argc, char** argv) {
    Args a;
    if (!Parse(argc, argv, plat::ProgramFolder(), a)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    a.options.clockNow = true;
    std::error_code ec;
    if (!a.out.empty()) std::filesystem::create_directories(a.out, ec);
    render::GifWriter gif;
    if (!a.gif.empty() && !gif.Open(a.gif, a.options.width, a.options.height, 5)) {
        std::fprintf(stderr, "corvane-render: cannot write %s\n", a.gif.c_str());
        return 1;
    }
    bool written = true;
    std::string error = render::Render(a.options, [&](int index, const render::Frame& f) {
        if (!a.out.empty())
            written &= render::WritePng(FrameName(a.out, index), f.width, f.height, *f.pixels);
        if (!a.gif.empty()) written &= gif.Add(*f.pixels);
    });
    if (!a.gif.empty()) written &= gif.Close();
    if (!error.empty()) {
        std::fprintf(stderr, "corvane-render: %s\n", error.c_str());
        return 1;
    }
    if (!written) {
        std::fprintf(stderr, "corvane-render: cannot write the frames\n");
        return 1;
    }
    return 0;
}
