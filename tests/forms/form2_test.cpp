#include "settings/form2.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_forms.h"
#include "tests/support/fake_host_fixture.h"

namespace {

class Form2Test : public HostTest {
  protected:
    plat::HeadlessForm& Open(Form2& dialog) {
        dialog.Show();
        plat::HeadlessForm* f = Headless().FindForm("Form2");
        EXPECT_NE(f, nullptr);
        return *f;
    }
    plat::HeadlessForms& Headless() { return static_cast<plat::HeadlessForms&>(*host.forms); }
    static std::string Chosen(plat::HeadlessForm& f) {
        bool desktop = f.Find("OptionDesktop").Value();
        bool other = f.Find("OptionOther").Value();
        if (desktop == other) return "both or none";
        return desktop ? "Desktop" : "White background";
    }
    std::string IniFile() const { return folder.Read("corvane.ini"); }

    Form2 dialog;
};

TEST_F(Form2Test, ShowsTheStoredChoice) {
    struct Case {
        const char* ini;
        const char* chosen;
    };
    for (Case c :
         {Case{"[mode]\r\nscMode=1\r\n", "Desktop"}, Case{"[Mode]\r\nSCMODE=1\r\n", "Desktop"},
          Case{"[mode]\r\nscMode=0\r\n", "White background"},
          Case{"[mode]\r\nscMode=yes\r\n", "White background"},
          Case{"[mode]\r\nother=1\r\n", "White background"}, Case{nullptr, "White background"}}) {
        std::filesystem::remove(folder / "corvane.ini");
        if (c.ini) folder.Write("corvane.ini", c.ini);
        Form2 d;
        EXPECT_EQ(Chosen(Open(d)), c.chosen) << (c.ini ? c.ini : "no file");
    }
}

TEST_F(Form2Test, DialogDesign) {
    plat::HeadlessForm& f = Open(dialog);
    EXPECT_EQ(f.Design().caption, "Corvane Screen Saver");
    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f.Focused(), "CmdClose");
    EXPECT_EQ(f.Left(), (15360 - 4395) / 2);  // centred by the outer size
    EXPECT_EQ(f.Top(), (11520 - 3075) / 2);
    EXPECT_EQ(f.Find("CmdWebsite").Design().picture, "website_button");
    EXPECT_EQ(f.Find("Image1").Design().picture, "settings_image");
}

TEST_F(Form2Test, ChoosingDesktopAndCloseWritesOne) {
    folder.Write("corvane.ini", "[mode]\r\nscMode=0\r\n[applic]\r\nappdisplay=1\r\n");
    plat::HeadlessForm& f = Open(dialog);
    f.Click("OptionDesktop");
    EXPECT_EQ(Chosen(f), "Desktop");
    EXPECT_TRUE(Ends([&] { f.Click("CmdClose"); }));
    EXPECT_EQ(Module1::BackgroundMode, "1");
    EXPECT_EQ(Ini("mode", "scMode"), "1");
    EXPECT_EQ(Ini("applic", "appdisplay"), "1");
}

TEST_F(Form2Test, WhiteBackgroundWritesZeroCreatingFileAndSection) {
    plat::HeadlessForm& f = Open(dialog);
    f.Click("OptionDesktop");
    f.Click("OptionOther");
    EXPECT_EQ(Chosen(f), "White background");
    EXPECT_TRUE(Ends([&] { f.Click("CmdClose"); }));
    EXPECT_EQ(Ini("mode", "scMode"), "0");
}

TEST_F(Form2Test, TheCloseBoxWritesNothing) {
    const std::string before = "[mode]\r\nscMode=1\r\n";
    folder.Write("corvane.ini", before);
    plat::HeadlessForm& f = Open(dialog);
    f.Click("OptionOther");
    EXPECT_FALSE(Ends([&] { f.CloseBox(); }));
    EXPECT_TRUE(f.Unloaded());
    EXPECT_EQ(IniFile(), before);
}

TEST_F(Form2Test, EachWebsitePressOpensTheSiteOnce) {
    plat::HeadlessForm& f = Open(dialog);
    for (int i = 0; i < 3; ++i) f.Click("CmdWebsite");
    EXPECT_EQ(host.opened, std::vector<std::string>(3, "http://www.vantrelsoftware.com"));
    EXPECT_TRUE(host.HasCall("ShellExecuteA http://www.vantrelsoftware.com 1"));
    EXPECT_TRUE(f.Shown());
}

// A keyboard user: Tab reaches the chosen option only; the arrow keys move
// the choice around the group and never leave it; Close then saves it.
TEST_F(Form2Test, ArrowKeysMoveTheChoiceWithinTheGroup) {
    plat::HeadlessForm& f = Open(dialog);
    EXPECT_FALSE(f.PressArrow(true));  // on Close: not an option button
    EXPECT_EQ(Chosen(f), "White background");
    f.PressTab();
    f.PressTab();
    EXPECT_EQ(f.Focused(), "OptionOther");
    struct Step {
        bool forward;
        const char* chosen;
    };
    for (Step s : {Step{true, "Desktop"}, Step{true, "White background"}, Step{false, "Desktop"},
                   Step{false, "White background"}, Step{false, "Desktop"}}) {
        EXPECT_TRUE(f.PressArrow(s.forward));
        EXPECT_EQ(Chosen(f), s.chosen);
        EXPECT_EQ(f.Focused(),
                  s.chosen == std::string("Desktop") ? "OptionDesktop" : "OptionOther");
    }
    f.PressTab();
    EXPECT_EQ(f.Focused(), "CmdClose");
    EXPECT_TRUE(Ends([&] { f.Click("CmdClose"); }));
    EXPECT_EQ(Ini("mode", "scMode"), "1");
}

}  // namespace
