// The forms runtime: windows with controls for the settings dialog and the
// recommend form. Backends: FLTK (Linux), Win32, headless (tests).
//
// A form is described by its design: the form's caption and client size,
// then each control with its kind, position and size in twips (relative to
// its container: the form or a frame), tab index and content. Twips become
// pixels by TwipsToPixels with the host's twips per pixel. Every backend
// follows the same rules for captions ("&&" shows one "&"), tab order
// (ascending tab index over the controls that take the focus) and option
// buttons (one group per container): its forms and controls derive from
// FormState and ControlState, which apply them.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/host.h"

namespace plat {

enum class ControlKind {
    Label,
    TextBox,
    MultiLineTextBox,  // word-wrapped; its text keeps CR LF line ends
    CommandButton,
    GraphicalButton,  // a command button showing a picture
    OptionButton,
    Frame,
    Image,
    Line,  // from (left, top) to (left + width, top + height)
};

enum class TextAlign { Left, Center };

class Control;

struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string name;
    Control* container = nullptr;                     // a frame, or null for the form itself
    double left = 0, top = 0, width = 0, height = 0;  // twips
    int tabIndex = 0;
    std::string text;     // caption or initial text
    std::string picture;  // name of an embedded picture; an image of size 0 takes its natural size
    bool bold = false;    // 8.25 pt sans-serif, regular or bold
    bool wordWrap = false;
    TextAlign align = TextAlign::Left;
    std::optional<COLORREF> foreColor;  // system defaults when empty
    std::optional<COLORREF> backColor;
};

struct FormDesign {
    std::string name;
    std::string caption;
    double clientWidth = 0, clientHeight = 0;  // twips
    std::optional<COLORREF> backColor;
    std::string icon;  // name of an embedded picture for the title bar
};

class Control {
  public:
    virtual ~Control() = default;
    virtual const ControlDesign& Design() const = 0;
    virtual std::string Text() const = 0;  // caption or text, as stored
    virtual void SetText(const std::string& text) = 0;
    virtual bool Value() const = 0;  // an option button is chosen
    // Choosing an option button clears the others of its container.
    virtual void SetValue(bool chosen) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetFocus() = 0;
    virtual void OnClick(std::function<void()> handler) = 0;
};

// A fixed-size window with a single border and a title bar. Closing it by
// its close box (or Alt+F4) unloads it like Unload().
class Form {
  public:
    virtual ~Form() = default;
    // Adds a control; the form owns it. Containers are added before their contents.
    virtual Control& Add(const ControlDesign& design) = 0;
    // The window's outer size (border and title bar included) and position, in twips.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual void Move(double left, double top) = 0;  // kept as given, even off the screen
    virtual void CenterOnScreen() = 0;
    // Shows the form; the focus goes to the control given by SetFocus, else
    // to the first control in tab order.
    virtual void Show() = 0;
    // Hides the window, then runs the unload handler (which may end the program).
    virtual void Unload() = 0;
    virtual void OnUnload(std::function<void()> handler) = 0;
};

class FormsRuntime {
  public:
    virtual ~FormsRuntime() = default;
    virtual std::unique_ptr<Form> CreateForm(const FormDesign& design) = 0;
    // A modal message box with an OK button only.
    virtual void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) = 0;
    // Runs the message loop while a form is open.
    virtual void Run() = 0;
};

// Rules shared by the backends.

// The text a caption shows: "&&" gives "&"; a single "&" marks the next
// character as the access key and is not shown.
std::string ShownCaption(const std::string& caption);

// Whether a control of this kind can take the focus.
bool TakesFocus(ControlKind kind);

// One control as Tab sees it: its tab index and whether it can take the
// focus now (visible kind, enabled; an option button only when chosen or
// when none of its group is).
struct TabStop {
    int tabIndex;
    bool canFocus;
};

// The position in stops that Tab (or Shift+Tab) moves to from position
// current (-1: none has the focus), wrapping around; -1 when none can focus.
int NextTabStop(const std::vector<TabStop>& stops, int current, bool backwards);

// Window CR LF line ends to "\n" and back, for text boxes of toolkits that
// keep plain "\n".
std::string ToLf(const std::string& text);
std::string ToCrLf(const std::string& text);

// Where a window of this outer size starts when centred on a screen of this
// size, in twips: (screen - window) rounded, halved, truncated toward zero.
double CenteredPosition(double screenSize, double windowSize);

// Twips of a window's outer size or position to pixels with the host's
// twips per pixel, and back.
int PixelsX(double twips);
int PixelsY(double twips);
double TwipsX(int pixels);
double TwipsY(int pixels);

// Where a control lies in its window's client area, in pixels, when its
// container's top-left corner is at (originX, originY): x, y its top-left
// corner and w, h its size; for a line, x, y its start and w, h the signed
// run to its end.
struct PixelRect {
    int x, y, w, h;
};
PixelRect ControlPixels(const ControlDesign& design, int originX, int originY);

// The window frame of a form whose toolkit does not measure it: a border of
// this many pixels on each side and a title bar.
struct WindowFrame {
    int borderPixels = 0;
    int captionPixels = 0;
};

class FormState;

// What a control keeps whatever toolkit draws it: its design, its form and
// its click handler. A backend's control derives from it.
class ControlState : public Control {
  public:
    ControlState(FormState& form, const ControlDesign& design);
    const ControlDesign& Design() const override { return design_; }
    // The caption or text as last set (a backend reads a text box's own).
    std::string Text() const override { return caption_; }
    void SetText(const std::string& text) override;
    // Choosing an option button clears the others of its group.
    void SetValue(bool chosen) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    void SetFocus() override;
    void OnClick(std::function<void()> handler) override { onClick_ = std::move(handler); }
    // A click: an option button becomes chosen (a click never clears it),
    // then the click handler runs.
    void Clicked();

  protected:
    // The toolkit's part: show the new text, the option as chosen or not
    // (leaving the rest of its group), the control as enabled or not.
    virtual void ShowText(const std::string& /*text*/) {}
    virtual void SetChecked(bool chosen) = 0;
    virtual void ShowEnabled(bool /*enabled*/) {}

  private:
    FormState& form_;
    ControlDesign design_;
    std::string caption_;
    bool enabled_ = true;
    std::function<void()> onClick_;
};

// What a form keeps whatever toolkit draws it: its design, its controls in
// the order they were added, its place and its unload handler; and the
// rules of focus, Tab order, option groups and centring on the screen.
class FormState : public Form {
  public:
    explicit FormState(const FormDesign& design, WindowFrame frame = {});
    // The design's client size and the frame. A backend whose toolkit
    // measures its own frame overrides these.
    double Width() const override;
    double Height() const override;
    double Left() const override { return left_; }
    double Top() const override { return top_; }
    void Move(double left, double top) override;
    void CenterOnScreen() override;
    // Reveals the window, then gives the focus to the control SetFocus
    // named, else to the first in tab order.
    void Show() override;
    // Unless already unloaded: conceals the window, then runs the handler.
    void Unload() override;
    void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }

    const FormDesign& Design() const { return design_; }
    const std::vector<std::unique_ptr<ControlState>>& Controls() const { return controls_; }
    bool Unloaded() const { return unloaded_; }
    // Moves the focus as Tab (or Shift+Tab) does.
    virtual void PressTab(bool backwards);
    // An arrow key on an option button moves the choice within its group, as
    // in dialogs: to the next button in tab order (Down, Right) or the one
    // before (Up, Left), wrapping around and never leaving the group. That
    // button takes the focus and is clicked. False when no option button
    // has the focus (the key is then the focused control's own).
    bool PressArrow(bool forward);
    // The focus goes to the control now if the window is shown, else when
    // it is.
    virtual void FocusOn(ControlState& control);
    // Clears the other option buttons of the chosen one's container.
    void ClearGroup(const ControlState& chosen);

  protected:
    // Takes ownership of a new control.
    ControlState& Keep(std::unique_ptr<ControlState> control);
    void DropControls() { controls_.clear(); }
    // The toolkit's part: put the window where Move recorded, show and
    // hide it, tell whether it is shown, and focus a control (false when
    // the control cannot take it). Nothing by default.
    virtual void Place(double /*left*/, double /*top*/) {}
    virtual void Reveal() {}
    virtual void Conceal() {}
    virtual bool Revealed() const { return false; }
    virtual bool GiveFocus(ControlState& /*control*/) { return false; }
    virtual bool HasFocus(const ControlState& control) const = 0;
    // Whether Tab may stop on the control now: a kind that takes the focus,
    // enabled, and for an option button, chosen or of a group with no choice.
    virtual bool CanFocus(const ControlState& control) const;
    // The control Tab (or Shift+Tab) moves the focus to, or null for none.
    ControlState* TabTarget(bool backwards) const;
    void MarkUnloaded() { unloaded_ = true; }
    void RunUnloadHandler();

  private:
    FormDesign design_;
    WindowFrame frame_;
    std::vector<std::unique_ptr<ControlState>> controls_;
    ControlState* pendingFocus_ = nullptr;
    double left_ = 0, top_ = 0;
    bool unloaded_ = false;
    std::function<void()> onUnload_;
};

}  // namespace plat
