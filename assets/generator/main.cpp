// Draws all of Corvane's and Tellwell's pictures and writes them as .bmp
// files under the assets folder given on the command line:
//   <assets>/folder/    the saver's picture folder
//   <assets>/embedded/  pictures compiled into the programs
//   <assets>/icons/     the program's icon for the Linux desktops
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "bmp_writer.h"
#include "key_regions.h"
#include "pictures.h"
#include "png_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <assets folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        const std::string folder = (root / "folder").string() + "/";
        const std::string embedded = (root / "embedded").string() + "/";
        std::filesystem::create_directories(folder);
        std::filesystem::create_directories(embedded);

        auto sprite = [&](const std::string& name, const Image& image) {
            CheckKeyOnlyOutside(image, name);
            WriteBmp24(folder + name, image);
        };
        sprite("flag_small.bmp", FlagPicture(40, 26));
        sprite("flag_med.bmp", FlagPicture(80, 53));
        sprite("flag_large.bmp", FlagPicture(120, 80));
        sprite("flag_xlarge.bmp", FlagPicture(160, 106));
        sprite("logo.bmp", LogoPicture());
        WriteBmp24(folder + "flag_background.bmp", BackgroundTile());

        WriteBmp24(embedded + "preview.bmp", PreviewPicture());
        WriteBmp24(embedded + "settings_image.bmp", SettingsPicture());
        WriteBmp24(embedded + "website_button.bmp", WebsiteButtonPicture());
        WriteBmp24(embedded + "tellwell_image.bmp", TellwellPicture());
        WriteBmp4(embedded + "form_icon.bmp", FormIconPicture(), FormIconPalette());

        // The icon in the sizes of the desktops' icon theme (hicolor).
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const std::string s = std::to_string(size);
            const auto dir = root / "icons" / (s + "x" + s);
            std::filesystem::create_directories(dir);
            std::vector<std::uint8_t> alpha;
            const Image icon = AppIconPicture(size, alpha);
            WritePngRgba((dir / "corvane.png").string(), icon, alpha);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
