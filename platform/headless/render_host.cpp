#include "platform/headless/render_host.h"

#include <cmath>

#include "platform/headless/headless_forms.h"

namespace plat {

RenderHost::RenderHost(std::string folder, int width, int height, const Clock& clock)
    : SystemHost(0, nullptr),
      folder_(std::move(folder)),
      screen_(width, height, kTwips),
      clock_(clock),
      forms_(CreateHeadlessForms()) {
    if (clock_.now) {
        clock_.tick = SystemHost::GetTickCount();
        clock_.timeOfDay = SystemHost::Timer();
    }
}

RenderHost::~RenderHost() = default;

std::uint32_t RenderHost::GetTickCount() {
    return clock_.tick;
}
double RenderHost::Timer() {
    return clock_.timeOfDay;
}

double RenderHost::Rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

// Mixes the clock into the state, so reseeding twice at the same tick does
// not repeat the sequence.
void RenderHost::Randomize() {
    random_.seed(GetTickCount() ^ random_());
}

void RenderHost::End() {
    throw RenderEnded{};
}

std::unique_ptr<SaverWindow> RenderHost::CreateSaverWindow(SaverEvents&) {
    return screen_.NewWindow();
}

void RenderHost::DoEvents() {
    if (onPump) onPump();
    if (stopped_) throw RenderEnded{};
}

void RenderHost::WaitForInput(std::uint32_t timeoutMs) {
    clock_.tick += timeoutMs;
    clock_.timeOfDay = std::fmod(clock_.timeOfDay + timeoutMs / 1000.0, 86400.0);
    if (stopped_) throw RenderEnded{};
}

}  // namespace plat
