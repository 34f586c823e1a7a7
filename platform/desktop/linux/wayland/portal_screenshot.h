// The desktop picture through the desktop portal
// (org.freedesktop.portal.Screenshot on the session bus), for compositors
// without wlroots' screen copy (GNOME, KDE). The portal writes a PNG file
// of every output for us; we read it and remove it. No session bus, no
// portal, a refusal or no answer within a few seconds: false, with why.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct PortalPicture {
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width * height
    int width = 0, height = 0;
};

bool PortalScreenshot(PortalPicture& out, std::string& why);

}  // namespace plat
