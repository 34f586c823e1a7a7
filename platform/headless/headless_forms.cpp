#include "platform/headless/headless_forms.h"

#include <stdexcept>

namespace plat {

HeadlessForm::HeadlessForm(HeadlessForms& runtime, const FormDesign& design)
    : FormState(design, {runtime.borderPixels, runtime.captionPixels}), registry_(runtime.forms_) {
    runtime.forms_->push_back(this);
}

HeadlessForm::~HeadlessForm() {
    if (auto forms = registry_.lock()) std::erase(*forms, this);
}

Control& HeadlessForm::Add(const ControlDesign& design) {
    return Keep(std::make_unique<HeadlessControl>(*this, design));
}

void HeadlessForm::Show() {
    shown_ = true;
    if (!focus_) PressTab();
}

void HeadlessForm::Unload() {
    shown_ = false;
    MarkUnloaded();
    RunUnloadHandler();
}

HeadlessControl& HeadlessForm::Find(const std::string& name) {
    for (auto& c : Controls())
        if (c->Design().name == name) return static_cast<HeadlessControl&>(*c);
    throw std::out_of_range("no control " + name);
}

void HeadlessForm::Click(const std::string& name) {
    HeadlessControl& c = Find(name);
    if (!c.Enabled()) return;
    if (TakesFocus(c.Design().kind)) focus_ = &c;
    c.Clicked();
}

void HeadlessForm::Type(const std::string& name, const std::string& text) {
    HeadlessControl& c = Find(name);
    focus_ = &c;
    c.SetText(text);
}

void HeadlessForm::PressTab(bool shift) {
    focus_ = TabTarget(shift);
}

void HeadlessForm::CloseBox() {
    if (shown_) Unload();
}

std::string HeadlessForm::Focused() const {
    return focus_ ? focus_->Design().name : "";
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
