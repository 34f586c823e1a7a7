// The forms runtime: windows with controls for the settings dialog and the
// recommend form. Backends: FLTK (Linux), Win32, headless (tests).
//
// A form is described by its design: the form's caption and client size,
// then each control with its kind, position and size in twips (relative to
// its container: the form or a frame), tab index and content. Twips become
// pixels by TwipsToPixels with the host's twips per pixel. Every backend
// follows the same rules for captions ("&&" shows one "&"), tab order
// (ascending tab index over the controls that take the focus) and option
// buttons (one group per container).
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

}  // namespace plat
