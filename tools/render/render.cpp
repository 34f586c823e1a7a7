#include "tools/render/render.h"

#include <filesystem>
#include <system_error>

#include "platform/headless/render_host.h"
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

    plat::RenderHost host(scratch.path().string(), options.width, options.height,
                          {options.tick, options.timeOfDay, options.clockNow});
    plat::SetHost(&host);
    Module1::ResetState();
    Module1::PlatformId = 2;
    Module1::Run = Module1::RunKind::Unattended;
    std::string error;
    {
        plat::HeadlessScreen& screen = host.Screen();
        screen.desktop = options.desktop;
        Form1 form;
        // A frame is complete at the first pump after it drew on the window.
        int index = 0;
        host.onPump = [&] {
            if (screen.drawn.empty()) return;
            screen.drawn.clear();
            sink(++index, Frame{screen.width(), screen.height(), &screen.window});
            if (index == options.frames) host.Stop();
        };
        try {
            form.Load();
        } catch (const plat::RenderEnded&) {
            if (!host.Stopped())
                error = !form.RefusedPicture().empty() ? "refused " + form.RefusedPicture()
                        : host.Message().empty()       ? "the saver ended"
                                                       : host.Message();
        }
    }
    Module1::ResetState();
    plat::SetHost(nullptr);
    return error;
}

}  // namespace render
