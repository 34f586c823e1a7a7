#include "tools/render/render.h"

#include <filesystem>
#include <system_error>

#include "platform/headless/fake_host.h"
#include "platform/headless/headless_screen.h"
#include "saver/form1.h"
#include "shell/module1.h"

namespace render {
namespace {

namespace fs = std::filesystem;

// A scratch program folder: the settings file and the pictures.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& from) {
        std::string tmpl = (fs::temp_directory_path() / "corvane-render-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) return;
        path_ = tmpl;
        std::error_code ec;
        fs::copy(fs::path(from) / "corvane.ini", path_ / "corvane.ini", ec);
        fs::create_directories(path_ / "vantrelsoftware", ec);
        fs::copy(fs::path(from) / "vantrelsoftware" / "corvane",
                 path_ / "vantrelsoftware" / "corvane", fs::copy_options::recursive, ec);
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

}  // namespace

std::string Render(const Options& options,
                   const std::function<void(int index, const Frame& frame)>& sink) {
    if (options.width <= 0 || options.height <= 0 || options.frames <= 0)
        return "size and frame count must be positive";
    if (!fs::is_directory(fs::path(options.folder) / "vantrelsoftware" / "corvane"))
        return "no picture folder in " + options.folder;
    ScratchFolder scratch(options.folder);
    if (scratch.path().empty()) return "cannot make a scratch folder";

    plat::FakeHost host;
    host.appPath = scratch.path().string();
    host.screenWidthPx = options.width;
    host.screenHeightPx = options.height;
    host.tick = options.tick;
    host.timeOfDay = options.timeOfDay;
    plat::SetHost(&host);
    Module1::PlatformId = 2;
    Module1::HackMode = true;  // no input, nothing counted
    std::string error;
    {
        plat::HeadlessScreen screen(host);  // its desktop is white
        Form1 form;
        // A frame is complete at the first pump after it drew on the window.
        int index = 0;
        host.onPump = [&] {
            if (screen.drawn.empty()) return;
            screen.drawn.clear();
            sink(++index, Frame{screen.width(), screen.height(), &screen.window});
            if (index == options.frames) host.stopAt = host.tick;
        };
        try {
            form.Load();
        } catch (const plat::StopRun&) {
        } catch (const plat::ProgramEnded&) {
            error = host.messages.empty() ? "the saver ended" : host.messages.back();
            error.erase(0, error.find('|') + 1);  // "title|text"
        }
    }
    Module1::HackMode = false;
    plat::SetHost(nullptr);
    return error;
}

}  // namespace render
