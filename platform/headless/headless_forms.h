// Headless forms for tests: controls hold their state in memory, nothing is
// drawn. A test drives a form as a user would (types, clicks, presses Tab,
// closes it) and reads the message boxes that were shown.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace plat {

class HeadlessControl : public ControlState {
  public:
    HeadlessControl(FormState& form, const ControlDesign& design) : ControlState(form, design) {}
    bool Value() const override { return value_; }
    std::string ShownText() const { return ShownCaption(Text()); }

  private:
    void SetChecked(bool chosen) override { value_ = chosen; }

    bool value_ = false;
};

class HeadlessForms;

class HeadlessForm : public FormState {
  public:
    HeadlessForm(HeadlessForms& runtime, const FormDesign& design);
    ~HeadlessForm() override;

    Control& Add(const ControlDesign& design) override;
    void Show() override;
    void Unload() override;

    // Driving the form as a user. Each throws std::out_of_range for an
    // unknown control name.
    HeadlessControl& Find(const std::string& name);
    // Moves the focus to the control and runs its click handler, as a mouse
    // click does; an option button becomes chosen first. Nothing happens on
    // a disabled control.
    void Click(const std::string& name);
    void Type(const std::string& name, const std::string& text);  // replaces the text
    void PressTab(bool shift = false) override;
    void CloseBox();              // the title bar's close box or Alt+F4
    std::string Focused() const;  // the control's name, "" for none
    bool Shown() const { return shown_; }

    // The focus moves at once, shown or not.
    void FocusOn(ControlState& control) override { focus_ = &control; }

  private:
    bool HasFocus(const ControlState& c) const override { return &c == focus_; }

    std::weak_ptr<std::vector<HeadlessForm*>> registry_;
    ControlState* focus_ = nullptr;
    bool shown_ = false;
};

struct ShownMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
};

class HeadlessForms : public FormsRuntime {
  public:
    std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
    void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override {
        messages.push_back({text, title, icon});
    }
    void Run() override {}  // no events to wait for

    // The most recently created form of that name that still exists, or null.
    HeadlessForm* FindForm(const std::string& name);

    std::vector<ShownMessage> messages;
    // The window frame a form's outer size adds to its client area, in
    // pixels: a fixed single border on each side and the title bar (taken
    // by each form when it is created).
    int borderPixels = 3;
    int captionPixels = 19;

  private:
    friend class HeadlessForm;
    // Shared with the forms, which may outlive the runtime (a form kept in
    // a static variable is destroyed at the process's exit).
    std::shared_ptr<std::vector<HeadlessForm*>> forms_ =
        std::make_shared<std::vector<HeadlessForm*>>();
};

std::unique_ptr<HeadlessForms> CreateHeadlessForms();

}  // namespace plat
