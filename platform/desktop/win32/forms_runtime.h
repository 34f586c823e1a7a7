// The Windows forms runtime: forms as real windows with Windows controls at
// the pixel positions their twips give, the message loop while a form is
// open, and the keyboard rules every pump applies (Tab order by tab index,
// Enter presses the focused button, the arrow keys move the choice within
// an option group).
#pragma once
#include <memory>
#include <string>

#include "platform/forms.h"

struct tagMSG;

namespace win32 {

class Win32Form;

class FormsRuntime : public plat::FormsRuntime {
  public:
    std::unique_ptr<plat::Form> CreateForm(const plat::FormDesign& design) override;
    void MsgBox(const std::string& text, const std::string& title, plat::MsgIcon icon) override;
    void Run() override;

    // True when the message was a form's keyboard navigation, now handled.
    bool PreTranslate(tagMSG* msg);
    // Forms count themselves while they are shown.
    void FormShown() { ++openForms_; }
    void FormHidden() { --openForms_; }

  private:
    int openForms_ = 0;
};

}  // namespace win32
