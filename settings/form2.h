// Form2: the settings dialog. It offers the background of the saver window
// (white or the desktop picture), stored as "scMode" in section "mode" of the
// settings file, and a picture button that opens the maker's web site.
#pragma once
#include <memory>

#include "platform/forms.h"

class Form2 {
  public:
    // Creates the window and its controls, runs Form_Load, centres the window
    // and shows it without waiting. The object must live while the forms
    // runtime runs.
    void Show();

    void Form_Load();
    void CmdClose_Click();
    void CmdWebsite_Click();

    plat::Control* CmdClose = nullptr;
    plat::Control* CmdWebsite = nullptr;
    plat::Control* OptionDesktop = nullptr;
    plat::Control* OptionOther = nullptr;
    plat::Control* Label1 = nullptr;
    plat::Control* Image1 = nullptr;
    plat::Control* Line1 = nullptr;

  private:
    void CreateControls();

    std::unique_ptr<plat::Form> form_;
};
