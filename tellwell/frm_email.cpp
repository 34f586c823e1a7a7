#include "tellwell/frm_email.h"

#include "common/errors.h"
#include "common/open_with_shell.h"
#include "common/site.h"
#include "tellwell/request_url.h"

namespace {

using plat::ControlKind;

struct Row {
    ControlKind kind;
    const char* name;
    bool inFrame;
    double left, top, width, height;
    int tab;
    bool bold;
    const char* text;
};

// The form's controls, top to bottom; positions in twips, relative to
// Frame1 for the controls inside it.
const Row kRows[] = {
    {ControlKind::Label, "LabelEmail", false, 240, 120, 5505, 975, 11, false, nullptr},
    {ControlKind::Frame, "Frame1", false, 240, 1160, 5535, 5415, 13, false, ""},
    {ControlKind::Label, "LabelFriends", true, 240, 240, 2535, 255, 19, true,
     "Your Friends E-mail "},
    {ControlKind::Label, "LabelFriend1", true, 240, 630, 735, 255, 24, false, "Friend 1"},
    {ControlKind::TextBox, "TextFriend1", true, 1080, 600, 2775, 285, 0, false, ""},
    {ControlKind::Label, "LabelFriend2", true, 240, 1000, 735, 255, 23, false, "Friend 2"},
    {ControlKind::TextBox, "TextFriend2", true, 1080, 960, 2775, 285, 1, false, ""},
    {ControlKind::Label, "LabelFriend3", true, 240, 1365, 855, 255, 22, false, "Friend 3"},
    {ControlKind::TextBox, "TextFriend3", true, 1080, 1320, 2775, 285, 2, false, ""},
    {ControlKind::Label, "LabelFriend4", true, 240, 1725, 855, 255, 21, false, "Friend 4"},
    {ControlKind::TextBox, "TextFriend4", true, 1080, 1680, 2775, 285, 3, false, ""},
    {ControlKind::Label, "LabelFriend5", true, 240, 2085, 855, 255, 20, false, "Friend 5"},
    {ControlKind::TextBox, "TextFriend5", true, 1080, 2040, 2775, 285, 4, false, ""},
    {ControlKind::Image, "ImageEmail", true, 4080, 1080, 1200, 690, 25, false, ""},
    {ControlKind::Label, "LabelMess", true, 240, 2520, 1935, 255, 18, true, "Your Message "},
    {ControlKind::Label, "LabelFirstName", true, 240, 2895, 855, 255, 17, false, "First name"},
    {ControlKind::TextBox, "TextFirstName", true, 1200, 2880, 3975, 285, 5, false, ""},
    {ControlKind::Label, "LabelSubject", true, 240, 3270, 735, 255, 16, false, "Subject"},
    {ControlKind::TextBox, "TextSubject", true, 1200, 3240, 3975, 285, 6, false, kProgramTitle},
    {ControlKind::Label, "LabelMessage", true, 240, 3600, 855, 255, 15, false, "Message"},
    {ControlKind::MultiLineTextBox, "TextMessage", true, 1200, 3600, 3975, 1245, 7, false, nullptr},
    {ControlKind::Label, "LabelYourEmail", true, 240, 4950, 855, 255, 14, false, "Your e-mail"},
    {ControlKind::TextBox, "TextYourEmail", true, 1200, 4920, 3975, 285, 8, false, ""},
    {ControlKind::CommandButton, "CommandNeverShow", false, 240, 6720, 1335, 375, 10, false,
     "Never Show"},
    {ControlKind::Label, "LabelSubmit", false, 1800, 6720, 2775, 495, 12, false,
     "Please click Submit only once. It takes a couple seconds to process."},
    {ControlKind::CommandButton, "CommandSubmit", false, 4680, 6720, 1095, 375, 9, false, "Submit"},
};

const char kTitle[] = "Email";

}  // namespace

std::string EmailLabelText() {
    return "Thank-you for enjoying our screen saver. We only ask one favor... Please recommend "
           "this screen saver to your friends && family so we can keep this screen saver free "
           "from ads. A lot of work has been put into our screen savers and we would like to keep "
           "them free. Thanks for your support. This message will only appear once.";
}

std::string EmailMessageText() {
    return std::string("We would like to invite you to display the flag \r\n") +
           "on your computer screen as a symbol of freedom. \r\n" +
           "Let us show it proudly together on all our \r\n" + "computer screens. Visit " +
           kMakerSite + " and \r\n" + "download Corvane Screen Saver.\r\n";
}

void FrmEmail::CreateControls() {
    plat::FormDesign f;
    f.name = "FrmEmail";
    f.caption = kProgramTitle;
    f.clientWidth = 6000;
    f.clientHeight = 7335;
    f.icon = "form_icon";
    form_ = plat::host().Forms().CreateForm(f);

    plat::Control* frame = nullptr;
    for (const Row& r : kRows) {
        plat::ControlDesign s;
        s.kind = r.kind;
        s.name = r.name;
        s.container = r.inFrame ? frame : nullptr;
        s.left = r.left, s.top = r.top, s.width = r.width, s.height = r.height;
        s.tabIndex = r.tab;
        s.bold = r.bold;
        if (r.text) s.text = r.text;
        if (s.name == "LabelEmail") {
            s.text = EmailLabelText();
            s.foreColor = plat::RGB(0, 0, 192);
            s.wordWrap = true;
        } else if (s.name == "TextMessage") {
            s.text = EmailMessageText();
        } else if (s.name == "ImageEmail") {
            s.picture = "tellwell_image";
            s.width = s.height = 0;  // the picture's natural size
        } else if (s.kind == ControlKind::Label) {
            s.wordWrap = true;
        }
        plat::Control& c = form_->Add(s);
        if (s.kind == ControlKind::Frame) frame = &c;
        if (s.name.starts_with("TextFriend")) TextFriend[s.name.back() - '1'] = &c;
        if (s.name == "TextFirstName") TextFirstName = &c;
        if (s.name == "TextSubject") TextSubject = &c;
        if (s.name == "TextMessage") TextMessage = &c;
        if (s.name == "TextYourEmail") TextYourEmail = &c;
        if (s.name == "CommandSubmit") CommandSubmit = &c;
        if (s.name == "CommandNeverShow") CommandNeverShow = &c;
    }
    CommandSubmit->OnClick([this] { CommandSubmit_Click(); });
    CommandNeverShow->OnClick([this] { CommandNeverShow_Click(); });
    form_->OnUnload([this] { Form_Unload(); });
}

void FrmEmail::Show() {
    CreateControls();
    Form_Load();
    form_->Show();
}

void FrmEmail::Form_Load() {
    m_bSubmitted = false;
    // Centred by the window's outer size; no clamping, so a screen smaller
    // than the window gives a negative position.
    plat::Host& h = plat::host();
    form_->Move(plat::CenteredPosition(h.ScreenWidth(), form_->Width()),
                plat::CenteredPosition(h.ScreenHeight(), form_->Height()));
}

void FrmEmail::Form_Unload() {
    plat::host().End();
}

void FrmEmail::CommandNeverShow_Click() {
    form_->Unload();
}

void FrmEmail::CheckAddress(const std::string& sAddress, const std::string& sField) {
    if (Trim(sAddress).empty()) return;
    if (sAddress.find('@') == std::string::npos) {
        plat::host().Forms().MsgBox(sField + " does not contain a '@' in the e-mail address.",
                                    kTitle, plat::MsgIcon::None);
        m_bAddressError = true;
        return;
    }
    if (sAddress.find('.') == std::string::npos) {
        plat::host().Forms().MsgBox(sField + " does not contain a '.' in the e-mail address.",
                                    kTitle, plat::MsgIcon::None);
        m_bAddressError = true;
    }
}

void FrmEmail::CommandSubmit_Click() {
    if (m_bSubmitted) return;
    m_bAddressError = false;
    plat::FormsRuntime& forms = plat::host().Forms();

    std::string all;
    for (plat::Control* box : TextFriend) all += box->Text();
    if (Trim(all).empty()) {
        forms.MsgBox(
            "You forgot a friend's e-mail address. Please enter at least one valid e-mail "
            "address. Thanks.",
            kTitle, plat::MsgIcon::None);
        return;
    }
    if (Trim(TextYourEmail->Text()).empty()) {
        forms.MsgBox(
            "You forgot to enter your e-mail address. Please enter a valid e-mail address. "
            "Thanks.",
            kTitle, plat::MsgIcon::None);
        return;
    }
    CheckAddress(TextYourEmail->Text(), "Your e-mail");
    for (int i = 0; i < 5; ++i)
        if (!m_bAddressError)
            CheckAddress(TextFriend[i]->Text(), "Friend " + std::to_string(i + 1));
    if (m_bAddressError) return;
    if (Trim(TextFirstName->Text()).empty()) {
        forms.MsgBox("You forgot to enter your first name.", kTitle, plat::MsgIcon::None);
        return;
    }

    m_bSubmitted = true;
    TextYourEmail->SetText(Trim(TextYourEmail->Text()));
    TextFirstName->SetText(Trim(TextFirstName->Text()));
    std::array<std::string, 5> friends;
    for (int i = 0; i < 5; ++i) friends[i] = TextFriend[i]->Text();
    std::string url = RequestUrl(friends, TextYourEmail->Text(), TextFirstName->Text());
    try {
        OpenWithShell(url);  // whether the browser opened is not checked
    } catch (const RuntimeError&) {
    }
    form_->Unload();
}
