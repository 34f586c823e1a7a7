// FrmEmail: the recommend form. It asks the user for up to five friends'
// addresses, the user's own address and first name, checks them one problem
// at a time and hands the request to the web browser. Every way out (Submit,
// "Never Show", closing the window) ends the program.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "platform/forms.h"

class FrmEmail {
  public:
    // Creates the window and its controls, runs Form_Load and shows the
    // form with the focus in TextFriend1. The object must live while the
    // forms runtime runs.
    void Show();

    void Form_Load();
    void Form_Unload();
    void CommandSubmit_Click();
    void CommandNeverShow_Click();
    void CheckAddress(const std::string& sAddress, const std::string& sField);

    bool m_bSubmitted = false;
    bool m_bAddressError = false;

    std::array<plat::Control*, 5> TextFriend{};  // TextFriend1 to TextFriend5
    plat::Control* TextFirstName = nullptr;
    plat::Control* TextSubject = nullptr;
    plat::Control* TextMessage = nullptr;
    plat::Control* TextYourEmail = nullptr;
    plat::Control* CommandSubmit = nullptr;
    plat::Control* CommandNeverShow = nullptr;

  private:
    void CreateControls();

    std::unique_ptr<plat::Form> form_;
};

// The texts the form starts with.
std::string EmailLabelText();    // LabelEmail's caption, "&&" for one "&"
std::string EmailMessageText();  // TextMessage's five lines, each ended by CR LF
