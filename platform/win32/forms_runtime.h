// The Windows forms runtime: the message loop while a form is open, and the
// hook that gives open forms their keyboard navigation in every pump.
#pragma once
#include "platform/forms.h"

struct tagMSG;

namespace win32 {

class FormsRuntime : public plat::FormsRuntime {
  public:
    void Run() override;
    // True when an open form consumed the message (dialog navigation).
    bool PreTranslate(tagMSG* msg);
    // Forms register while they are open.
    void FormOpened() { ++openForms_; }
    void FormClosed() { --openForms_; }
    int OpenForms() const { return openForms_; }

  private:
    int openForms_ = 0;
};

}  // namespace win32
