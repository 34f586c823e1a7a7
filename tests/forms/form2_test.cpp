#include "settings/form2.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/module1.h"
#include "test_host.h"

namespace {

namespace fs = std::filesystem;

class Form2Test : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("form2_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        host.appPath = dir.string();
        Module1::BackgroundMode = "";
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string IniPath() const { return (dir / "corvane.ini").string(); }
    void WriteIni(const std::string& text) const { std::ofstream(IniPath()) << text; }
    std::string ReadIni() const {
        std::ifstream in(IniPath());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    plat::HeadlessForm& Open() {
        dialog.Show();
        plat::HeadlessForm* f = host.forms->FindForm("Form2");
        EXPECT_NE(f, nullptr);
        return *f;
    }
    std::string Chosen(plat::HeadlessForm& f) {
        bool desktop = f.Find("OptionDesktop").Value();
        bool other = f.Find("OptionOther").Value();
        if (desktop == other) return "both or none";
        return desktop ? "Desktop" : "White background";
    }

    TestHost host;
    Form2 dialog;
    fs::path dir;
};

TEST_F(Form2Test, ShowsTheStoredChoice) {
    struct Case {
        const char* ini;
        const char* chosen;
    };
    for (Case c :
         {Case{"[mode]\nscMode=1\n", "Desktop"}, Case{"[mode]\nscMode=0\n", "White background"},
          Case{"[mode]\nscMode=yes\n", "White background"},
          Case{"[mode]\nother=1\n", "White background"}, Case{nullptr, "White background"}}) {
        fs::remove(IniPath());
        if (c.ini) WriteIni(c.ini);
        Form2 d;
        d.Show();
        EXPECT_EQ(Chosen(*host.forms->FindForm("Form2")), c.chosen) << (c.ini ? c.ini : "no file");
    }
}

TEST_F(Form2Test, DialogDesign) {
    plat::HeadlessForm& f = Open();
    EXPECT_EQ(f.Spec().caption, "Corvane Screen Saver");
    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f.Focused(), "CmdClose");
    EXPECT_EQ(f.Left(), (15360 - 4395) / 2);  // centred by the outer size
    EXPECT_EQ(f.Top(), (11520 - 3075) / 2);
    EXPECT_EQ(f.Find("CmdWebsite").Spec().picture, "website_button");
    EXPECT_EQ(f.Find("Image1").Spec().picture, "settings_image");
}

TEST_F(Form2Test, ChoosingDesktopAndCloseWritesOne) {
    WriteIni("[mode]\nscMode=0\n[applic]\nappdisplay=1\n");
    plat::HeadlessForm& f = Open();
    f.Click("OptionDesktop");
    EXPECT_EQ(Chosen(f), "Desktop");
    EXPECT_THROW(f.Click("CmdClose"), ProgramEnded);
    EXPECT_EQ(Module1::BackgroundMode, "1");
    EXPECT_NE(ReadIni().find("scMode=1"), std::string::npos);
    EXPECT_NE(ReadIni().find("appdisplay=1"), std::string::npos);
}

TEST_F(Form2Test, WhiteBackgroundWritesZeroCreatingFileAndSection) {
    plat::HeadlessForm& f = Open();
    f.Click("OptionDesktop");
    f.Click("OptionOther");
    EXPECT_EQ(Chosen(f), "White background");
    EXPECT_THROW(f.Click("CmdClose"), ProgramEnded);
    EXPECT_NE(ReadIni().find("[mode]"), std::string::npos);
    EXPECT_NE(ReadIni().find("scMode=0"), std::string::npos);
}

TEST_F(Form2Test, TheCloseBoxWritesNothing) {
    const std::string before = "[mode]\nscMode=1\n";
    WriteIni(before);
    plat::HeadlessForm& f = Open();
    f.Click("OptionOther");
    f.CloseBox();
    EXPECT_TRUE(f.Unloaded());
    EXPECT_EQ(ReadIni(), before);
}

TEST_F(Form2Test, EachWebsitePressOpensTheSiteOnce) {
    plat::HeadlessForm& f = Open();
    for (int i = 0; i < 3; ++i) f.Click("CmdWebsite");
    EXPECT_EQ(host.opened, std::vector<std::string>(3, "http://www.vantrelsoftware.com"));
    EXPECT_TRUE(f.Shown());
}

}  // namespace
