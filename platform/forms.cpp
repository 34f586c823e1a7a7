#include "platform/forms.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/vbmath.h"

namespace plat {

std::string ShownCaption(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox:
        case ControlKind::CommandButton:
        case ControlKind::GraphicalButton:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

int NextTabStop(const std::vector<TabStop>& stops, int current, bool backwards) {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(stops.size()); ++i) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return stops[a].tabIndex < stops[b].tabIndex; });
    const int n = static_cast<int>(order.size());
    int at = -1;
    for (int k = 0; k < n; ++k)
        if (order[k] == current) at = k;
    for (int step = 1; step <= n; ++step) {
        int k;
        if (at < 0)
            k = backwards ? n - step : step - 1;
        else
            k = ((backwards ? at - step : at + step) % n + n) % n;
        if (stops[order[k]].canFocus) return order[k];
    }
    return -1;
}

std::string ToLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

std::string ToCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

double CenteredPosition(double screenSize, double windowSize) {
    return std::trunc(RoundHalfEven(screenSize - windowSize) / 2);
}

int PixelsX(double twips) {
    return TwipsToPixels(twips, host().TwipsPerPixelX());
}
int PixelsY(double twips) {
    return TwipsToPixels(twips, host().TwipsPerPixelY());
}
double TwipsX(int pixels) {
    return pixels * RoundHalfEven(host().TwipsPerPixelX());
}
double TwipsY(int pixels) {
    return pixels * RoundHalfEven(host().TwipsPerPixelY());
}

PixelRect ControlPixels(const ControlDesign& d, int originX, int originY) {
    const int x = originX + PixelsX(d.left), y = originY + PixelsY(d.top);
    if (d.kind != ControlKind::Line) return {x, y, PixelsX(d.width), PixelsY(d.height)};
    // The end rounds on its own, so that a line meets what it was drawn to.
    return {x, y, originX + PixelsX(d.left + d.width) - x, originY + PixelsY(d.top + d.height) - y};
}

ControlState::ControlState(FormState& form, const ControlDesign& design)
    : form_(form), design_(design), caption_(design.text) {}

void ControlState::SetText(const std::string& text) {
    caption_ = text;
    ShowText(text);
}

void ControlState::SetEnabled(bool enabled) {
    enabled_ = enabled;
    ShowEnabled(enabled);
}

void ControlState::SetValue(bool chosen) {
    SetChecked(chosen);
    if (chosen && design_.kind == ControlKind::OptionButton) form_.ClearGroup(*this);
}

void ControlState::SetFocus() {
    form_.FocusOn(*this);
}

void ControlState::Clicked() {
    if (design_.kind == ControlKind::OptionButton) SetValue(true);
    if (onClick_) onClick_();
}

FormState::FormState(const FormDesign& design, WindowFrame frame)
    : design_(design), frame_(frame) {}

double FormState::Width() const {
    return design_.clientWidth + TwipsX(2 * frame_.borderPixels);
}

double FormState::Height() const {
    return design_.clientHeight + TwipsY(2 * frame_.borderPixels + frame_.captionPixels);
}

void FormState::Move(double left, double top) {
    left_ = left;
    top_ = top;
    Place(left, top);
}

void FormState::CenterOnScreen() {
    Move(CenteredPosition(host().ScreenWidth(), Width()),
         CenteredPosition(host().ScreenHeight(), Height()));
}

ControlState& FormState::Keep(std::unique_ptr<ControlState> control) {
    controls_.push_back(std::move(control));
    return *controls_.back();
}

namespace {

bool InGroupOf(const Control& option, const Control& other) {
    return other.Design().kind == ControlKind::OptionButton &&
           other.Design().container == option.Design().container;
}

}  // namespace

void FormState::ClearGroup(const ControlState& chosen) {
    for (auto& c : controls_)
        if (c.get() != &chosen && InGroupOf(chosen, *c)) c->SetValue(false);
}

bool FormState::CanFocus(const ControlState& c) const {
    if (!TakesFocus(c.Design().kind) || !c.Enabled()) return false;
    if (c.Design().kind != ControlKind::OptionButton || c.Value()) return true;
    return std::none_of(controls_.begin(), controls_.end(),
                        [&](const auto& o) { return InGroupOf(c, *o) && o->Value(); });
}

ControlState* FormState::TabTarget(bool backwards) const {
    std::vector<TabStop> stops;
    int current = -1;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        stops.push_back({controls_[i]->Design().tabIndex, CanFocus(*controls_[i])});
        if (HasFocus(*controls_[i])) current = static_cast<int>(i);
    }
    const int next = NextTabStop(stops, current, backwards);
    return next < 0 ? nullptr : controls_[static_cast<std::size_t>(next)].get();
}

void FormState::Show() {
    unloaded_ = false;
    Reveal();
    ControlState* pending = std::exchange(pendingFocus_, nullptr);
    if (pending == nullptr || !GiveFocus(*pending)) PressTab(false);
}

void FormState::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Conceal();
    RunUnloadHandler();
}

void FormState::PressTab(bool backwards) {
    if (ControlState* next = TabTarget(backwards)) GiveFocus(*next);
}

bool FormState::PressArrow(bool forward) {
    std::vector<ControlState*> group;
    ControlState* focused = nullptr;
    for (auto& c : controls_)
        if (HasFocus(*c)) focused = c.get();
    if (focused == nullptr || focused->Design().kind != ControlKind::OptionButton) return false;
    for (auto& c : controls_)
        if (InGroupOf(*focused, *c) && (c.get() == focused || c->Enabled()))
            group.push_back(c.get());
    std::stable_sort(group.begin(), group.end(), [](const ControlState* a, const ControlState* b) {
        return a->Design().tabIndex < b->Design().tabIndex;
    });
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    const auto at = std::find(group.begin(), group.end(), focused) - group.begin();
    ControlState* next = group[static_cast<std::size_t>(((at + (forward ? 1 : -1)) % n + n) % n)];
    if (next == focused) return true;
    FocusOn(*next);
    next->Clicked();
    return true;
}

void FormState::FocusOn(ControlState& control) {
    if (!Revealed() || !GiveFocus(control)) pendingFocus_ = &control;
}

void FormState::RunUnloadHandler() {
    auto handler = onUnload_;  // the handler may replace itself or end the program
    if (handler) handler();
}

}  // namespace plat
