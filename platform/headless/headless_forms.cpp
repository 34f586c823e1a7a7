#include "platform/headless/headless_forms.h"

#include <algorithm>
#include <stdexcept>

namespace plat {

HeadlessControl::HeadlessControl(HeadlessForm& form, const ControlSpec& spec)
    : form_(form), spec_(spec), text_(spec.text) {}

void HeadlessControl::SetValue(bool chosen) {
    value_ = chosen;
    if (chosen && spec_.kind == ControlKind::OptionButton) form_.ClearGroup(*this);
}

void HeadlessControl::SetFocus() {
    form_.FocusOn(this);
}

HeadlessForm::HeadlessForm(HeadlessForms& runtime, const FormSpec& spec)
    : runtime_(runtime), spec_(spec) {
    runtime_.forms_.push_back(this);
}

HeadlessForm::~HeadlessForm() {
    std::erase(runtime_.forms_, this);
}

Control& HeadlessForm::Add(const ControlSpec& spec) {
    controls_.push_back(std::make_unique<HeadlessControl>(*this, spec));
    return *controls_.back();
}

double HeadlessForm::Width() const {
    return spec_.clientWidth + TwipsX(2 * runtime_.borderPixels);
}

double HeadlessForm::Height() const {
    return spec_.clientHeight + TwipsY(2 * runtime_.borderPixels + runtime_.captionPixels);
}

void HeadlessForm::Move(double left, double top) {
    left_ = left;
    top_ = top;
}

void HeadlessForm::CenterOnScreen() {
    Move(CenteredPosition(host().ScreenWidth(), Width()),
         CenteredPosition(host().ScreenHeight(), Height()));
}

void HeadlessForm::Show() {
    shown_ = true;
    if (!focus_) PressTab();
}

void HeadlessForm::Unload() {
    shown_ = false;
    unloaded_ = true;
    if (onUnload_) onUnload_();
}

HeadlessControl& HeadlessForm::Find(const std::string& name) {
    for (auto& c : controls_)
        if (c->Spec().name == name) return *c;
    throw std::out_of_range("no control " + name);
}

void HeadlessForm::Click(const std::string& name) {
    HeadlessControl& c = Find(name);
    if (!c.Enabled()) return;
    if (TakesFocus(c.Spec().kind)) focus_ = &c;
    if (c.Spec().kind == ControlKind::OptionButton) c.SetValue(true);
    c.RunClick();
}

void HeadlessForm::Type(const std::string& name, const std::string& text) {
    HeadlessControl& c = Find(name);
    focus_ = &c;
    c.SetText(text);
}

bool HeadlessForm::CanFocus(const HeadlessControl& c) const {
    if (!TakesFocus(c.Spec().kind) || !c.Enabled()) return false;
    if (c.Spec().kind != ControlKind::OptionButton || c.Value()) return true;
    // An unchosen option button is a stop only when its group has no choice.
    return std::none_of(controls_.begin(), controls_.end(), [&](const auto& o) {
        return o->Spec().kind == ControlKind::OptionButton &&
               o->Spec().container == c.Spec().container && o->Value();
    });
}

void HeadlessForm::PressTab(bool shift) {
    std::vector<TabStop> stops;
    int current = -1;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        stops.push_back({controls_[i]->Spec().tabIndex, CanFocus(*controls_[i])});
        if (controls_[i].get() == focus_) current = static_cast<int>(i);
    }
    int next = NextTabStop(stops, current, shift);
    focus_ = next < 0 ? nullptr : controls_[next].get();
}

void HeadlessForm::CloseBox() {
    if (shown_) Unload();
}

std::string HeadlessForm::Focused() const {
    return focus_ ? focus_->Spec().name : "";
}

void HeadlessForm::FocusOn(HeadlessControl* control) {
    focus_ = control;
}

void HeadlessForm::ClearGroup(HeadlessControl& chosen) {
    for (auto& c : controls_)
        if (c.get() != &chosen && c->Spec().kind == ControlKind::OptionButton &&
            c->Spec().container == chosen.Spec().container)
            c->SetValue(false);
}

std::unique_ptr<Form> HeadlessForms::CreateForm(const FormSpec& spec) {
    return std::make_unique<HeadlessForm>(*this, spec);
}

HeadlessForm* HeadlessForms::FindForm(const std::string& name) {
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
        if ((*it)->Spec().name == name) return *it;
    return nullptr;
}

std::unique_ptr<HeadlessForms> CreateHeadlessForms() {
    return std::make_unique<HeadlessForms>();
}

}  // namespace plat
