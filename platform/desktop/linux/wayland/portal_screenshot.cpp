#include "platform/desktop/linux/wayland/portal_screenshot.h"

#include <png.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace plat {
namespace {

constexpr std::uint64_t kAnswerTimeoutUs = 10'000'000;
constexpr int kMaxSide = 16384;

struct Answer {
    bool done = false;
    std::uint32_t response = 2;  // 0 success, 1 cancelled, 2 other
    std::string uri;
};

// The Request's Response signal: (u response, a{sv} results), results["uri"].
int OnResponse(sd_bus_message* m, void* data, sd_bus_error*) {
    auto* a = static_cast<Answer*>(data);
    a->done = true;
    if (sd_bus_message_read(m, "u", &a->response) < 0) return 0;
    if (sd_bus_message_enter_container(m, 'a', "{sv}") < 0) return 0;
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        sd_bus_message_read(m, "s", &key);
        if (key && std::strcmp(key, "uri") == 0 &&
            sd_bus_message_enter_container(m, 'v', "s") > 0) {
            const char* uri = nullptr;
            if (sd_bus_message_read(m, "s", &uri) > 0 && uri) a->uri = uri;
            sd_bus_message_exit_container(m);
        } else {
            sd_bus_message_skip(m, "v");
        }
        sd_bus_message_exit_container(m);
    }
    return 0;
}

// A file:// URI's path, %XX decoded; "" for anything else.
std::string FilePath(const std::string& uri) {
    const std::string scheme = "file://";
    if (uri.compare(0, scheme.size(), scheme) != 0) return "";
    std::string path;
    for (std::size_t i = scheme.size(); i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size()) {
            path += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return path;
}

bool ReadPng(const std::string& path, PortalPicture& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB words on a little-endian machine
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    for (auto& p : out.pixels) p &= 0xFFFFFF;
    return true;
}

struct BusDeleter {
    void operator()(sd_bus* b) const { sd_bus_flush_close_unref(b); }
};

}  // namespace

bool PortalScreenshot(PortalPicture& out, std::string& why) {
    sd_bus* raw = nullptr;
    // The user's session bus only: never one started for us.
    if (sd_bus_open_user(&raw) < 0) {
        why = "no session bus for the desktop portal";
        return false;
    }
    std::unique_ptr<sd_bus, BusDeleter> bus(raw);
    const char* unique = nullptr;
    if (sd_bus_get_unique_name(bus.get(), &unique) < 0 || !unique) {
        why = "the session bus gives no name";
        return false;
    }
    // The request's object path is known before the call: listen first.
    std::string sender = unique + 1;
    for (char& c : sender)
        if (c == '.') c = '_';
    const std::string token = "corvane" + std::to_string(getpid());
    const std::string path = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
    Answer answer;
    sd_bus_slot* slot = nullptr;
    sd_bus_match_signal(bus.get(), &slot, "org.freedesktop.portal.Desktop", path.c_str(),
                        "org.freedesktop.portal.Request", "Response", OnResponse, &answer);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const int called = sd_bus_call_method(
        bus.get(), "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
        "org.freedesktop.portal.Screenshot", "Screenshot", &error, &reply, "sa{sv}", "", 2,
        "handle_token", "s", token.c_str(), "interactive", "b", 0);
    if (called < 0)
        why = std::string("the desktop portal: ") + (error.message ? error.message : "no answer");
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    for (std::uint64_t waited = 0; called >= 0 && !answer.done && waited < kAnswerTimeoutUs;) {
        const int r = sd_bus_process(bus.get(), nullptr);
        if (r < 0) break;
        if (r > 0) continue;
        sd_bus_wait(bus.get(), 100'000);
        waited += 100'000;
    }
    sd_bus_slot_unref(slot);
    if (called < 0) return false;
    const std::string file = FilePath(answer.uri);
    if (!answer.done || answer.response != 0 || file.empty()) {
        why = !answer.done           ? "the desktop portal did not answer"
              : answer.response != 0 ? "the desktop portal refused the screenshot"
                                     : "the desktop portal gave no file";
        return false;
    }
    const bool read = ReadPng(file, out);
    std::remove(file.c_str());  // made for this run only
    if (!read) why = "the desktop portal's picture cannot be read";
    return read;
}

}  // namespace plat
