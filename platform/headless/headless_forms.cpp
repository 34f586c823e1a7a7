#include "platform/headless/headless_forms.h"

#include <algorithm>
#include <stdexcept>

namespace plat {

HeadlessControl::HeadlessControl(HeadlessForm& form, const ControlDesign& design)
    : form_(form), design_(design), text_(design.text) {}

void HeadlessControl::SetValue(bool chosen) {
    value_ = chosen;
    if (chosen && design_.kind == ControlKind::OptionButton) form_.ClearGroup(*this);
}

void HeadlessControl::SetFocus() {
    form_.FocusOn(this);
}

HeadlessForm::HeadlessForm(HeadlessForms& runtime, const FormDesign& design)
    : registry_(runtime.forms_),
      design_(design),
      borderPixels_(runtime.borderPixels),
      captionPixels_(runtime.captionPixels) {
    runtime.forms_->push_back(this);
}

HeadlessForm::~HeadlessForm() {
    if (auto forms = registry_.lock()) std::erase(*forms, this);
}

Control& HeadlessForm::Add(const ControlDesign& design) {
    controls_.push_back(std::make_unique<HeadlessControl>(*this, design));
    return *controls_.back();
}

double HeadlessForm::Width() const {
    return design_.clientWidth + TwipsX(2 * borderPixels_);
}

double HeadlessForm::Height() const {
    return design_.clientHeight + TwipsY(2 * borderPixels_ + captionPixels_);
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
        if (c->Design().name == name) return *c;
    throw std::out_of_range("no control " + name);
}

void HeadlessForm::Click(const std::string& name) {
    HeadlessControl& c = Find(name);
    if (!c.Enabled()) return;
    if (TakesFocus(c.Design().kind)) focus_ = &c;
    if (c.Design().kind == ControlKind::OptionButton) c.SetValue(true);
    c.RunClick();
}

void HeadlessForm::Type(const std::string& name, const std::string& text) {
    HeadlessControl& c = Find(name);
    focus_ = &c;
    c.SetText(text);
}

bool HeadlessForm::CanFocus(const HeadlessControl& c) const {
    if (!TakesFocus(c.Design().kind) || !c.Enabled()) return false;
    if (c.Design().kind != ControlKind::OptionButton || c.Value()) return true;
    // An unchosen option button is a stop only when its group has no choice.
    return std::none_of(controls_.begin(), controls_.end(), [&](const auto& o) {
        return o->Design().kind == ControlKind::OptionButton &&
               o->Design().container == c.Design().container && o->Value();
    });
}

void HeadlessForm::PressTab(bool shift) {
    std::vector<TabStop> stops;
    int current = -1;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        stops.push_back({controls_[i]->Design().tabIndex, CanFocus(*controls_[i])});
        if (controls_[i].get() == focus_) current = static_cast<int>(i);
    }
    int next = NextTabStop(stops, current, shift);
    focus_ = next < 0 ? nullptr : controls_[next].get();
}

void HeadlessForm::CloseBox() {
    if (shown_) Unload();
}

std::string HeadlessForm::Focused() const {
    return focus_ ? focus_->Design().name : "";
}

void HeadlessForm::FocusOn(HeadlessControl* control) {
    focus_ = control;
}

void HeadlessForm::ClearGroup(HeadlessControl& chosen) {
    for (auto& c : controls_)
        if (c.get() != &chosen && c->Design().kind == ControlKind::OptionButton &&
            c->Design().container == chosen.Design().container)
            c->SetValue(false);
}

std::unique_ptr<Form> HeadlessForms::CreateForm(const FormDesign& design) {
    return std::make_unique<HeadlessForm>(*this, design);
}

HeadlessForm* HeadlessForms::FindForm(const std::string& name) {
    for (auto it = forms_->rbegin(); it != forms_->rend(); ++it)
        if ((*it)->Design().name == name) return *it;
    return nullptr;
}

std::unique_ptr<HeadlessForms> CreateHeadlessForms() {
    return std::make_unique<HeadlessForms>();
}

}  // namespace plat
