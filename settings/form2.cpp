#include "settings/form2.h"

#include "common/errors.h"
#include "common/open_with_shell.h"
#include "common/site.h"
#include "platform/profile.h"
#include "shell/module1.h"

namespace {

constexpr plat::COLORREF kWhite = 0xFFFFFF;

// The dialog's handlers skip a step that fails and go on with the next.
template <typename Step>
void SkipOnError(Step step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

}  // namespace

void Form2::CreateControls() {
    using plat::ControlKind;
    plat::FormDesign f;
    f.name = "Form2";
    f.caption = kProgramTitle;
    f.clientWidth = 4305;
    f.clientHeight = 2700;
    f.backColor = kWhite;
    f.icon = "form_icon";
    form_ = plat::host().Forms().CreateForm(f);

    auto add = [&](ControlKind kind, const char* name, double l, double t, double w, double h,
                   int tab, const char* text) -> plat::ControlDesign {
        plat::ControlDesign s;
        s.kind = kind;
        s.name = name;
        s.left = l, s.top = t, s.width = w, s.height = h;
        s.tabIndex = tab;
        s.text = text;
        return s;
    };
    CmdClose =
        &form_->Add(add(ControlKind::CommandButton, "CmdClose", 2880, 2040, 1215, 400, 0, "Close"));
    auto website = add(ControlKind::GraphicalButton, "CmdWebsite", 240, 2040, 1935, 495, 1, "");
    website.picture = "website_button";
    website.backColor = kWhite;
    CmdWebsite = &form_->Add(website);
    auto desktop =
        add(ControlKind::OptionButton, "OptionDesktop", 2400, 1080, 1095, 255, 2, "Desktop");
    desktop.backColor = kWhite;
    OptionDesktop = &form_->Add(desktop);
    auto other =
        add(ControlKind::OptionButton, "OptionOther", 2400, 720, 1815, 255, 3, "White background");
    other.backColor = kWhite;
    OptionOther = &form_->Add(other);
    auto label = add(ControlKind::Label, "Label1", 2280, 360, 1335, 255, 4, "Background");
    label.align = plat::TextAlign::Center;
    label.bold = true;
    label.backColor = kWhite;
    Label1 = &form_->Add(label);
    auto image = add(ControlKind::Image, "Image1", 240, 240, 0, 0, 5, "");
    image.picture = "settings_image";
    Image1 = &form_->Add(image);
    Line1 = &form_->Add(add(ControlKind::Line, "Line1", 240, 1920, 3840, 0, 6, ""));

    CmdClose->OnClick([this] { CmdClose_Click(); });
    CmdWebsite->OnClick([this] { CmdWebsite_Click(); });
}

void Form2::Show() {
    CreateControls();
    Form_Load();
    form_->CenterOnScreen();
    form_->Show();
}

void Form2::Form_Load() {
    SkipOnError([] {
        Module1::ReadIniString("mode", "scMode", Module1::BackgroundMode, Module1::IniFilePath());
    });
    SkipOnError([this] {
        if (Module1::BackgroundMode == "1")
            OptionDesktop->SetValue(true);
        else
            OptionOther->SetValue(true);
    });
}

void Form2::CmdClose_Click() {
    SkipOnError([this] {
        std::string mode(1, OptionDesktop->Value() ? '1' : '0');
        Module1::BackgroundMode.swap(mode);
    });
    SkipOnError([] {
        plat::WritePrivateProfileStringA("mode", "scMode", Module1::BackgroundMode,
                                         Module1::IniFilePath());
    });
    plat::host().End();
}

void Form2::CmdWebsite_Click() {
    OpenWithShell(kMakerSite);
}
