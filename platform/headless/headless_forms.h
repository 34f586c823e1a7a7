// Headless forms for tests: controls hold their state in memory, nothing is
// drawn. A test drives a form as a user would (types, clicks, presses Tab,
// closes it) and reads the message boxes that were shown.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace plat {

class HeadlessForm;

class HeadlessControl : public Control {
  public:
    HeadlessControl(HeadlessForm& form, const ControlDesign& design);
    const ControlDesign& Design() const override { return design_; }
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    bool Value() const override { return value_; }
    void SetValue(bool chosen) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetFocus() override;
    void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }

    std::string ShownText() const { return ShownCaption(text_); }
    void RunClick() {
        if (onClick_) onClick_();
    }

  private:
    HeadlessForm& form_;
    ControlDesign design_;
    std::string text_;
    bool value_ = false;
    bool enabled_ = true;
    std::function<void()> onClick_;
};

class HeadlessForms;

class HeadlessForm : public Form {
  public:
    HeadlessForm(HeadlessForms& runtime, const FormDesign& design);
    ~HeadlessForm() override;

    Control& Add(const ControlDesign& design) override;
    double Width() const override;
    double Height() const override;
    double Left() const override { return left_; }
    double Top() const override { return top_; }
    void Move(double left, double top) override;
    void CenterOnScreen() override;
    void Show() override;
    void Unload() override;
    void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }

    // Driving the form as a user. Each throws std::out_of_range for an
    // unknown control name.
    const FormDesign& Design() const { return design_; }
    HeadlessControl& Find(const std::string& name);
    // Moves the focus to the control and runs its click handler, as a mouse
    // click does; an option button becomes chosen first. Nothing happens on
    // a disabled control.
    void Click(const std::string& name);
    void Type(const std::string& name, const std::string& text);  // replaces the text
    void PressTab(bool shift = false);
    void CloseBox();              // the title bar's close box or Alt+F4
    std::string Focused() const;  // the control's name, "" for none
    bool Shown() const { return shown_; }
    bool Unloaded() const { return unloaded_; }
    const std::vector<std::unique_ptr<HeadlessControl>>& Controls() const { return controls_; }

    // Used by the controls.
    void FocusOn(HeadlessControl* control);
    void ClearGroup(HeadlessControl& chosen);

  private:
    bool CanFocus(const HeadlessControl& c) const;

    std::weak_ptr<std::vector<HeadlessForm*>> registry_;
    FormDesign design_;
    int borderPixels_, captionPixels_;
    std::vector<std::unique_ptr<HeadlessControl>> controls_;
    HeadlessControl* focus_ = nullptr;
    double left_ = 0, top_ = 0;
    bool shown_ = false, unloaded_ = false;
    std::function<void()> onUnload_;
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
