#include "tests/support/fake_host_fixture.h"

namespace {

using SettingsTest = HostTest;

TEST_F(SettingsTest, PathsSitBesideTheProgram) {
    host.appPath = "/opt/corvane";
    EXPECT_EQ(Module1::IniFilePath(), "/opt/corvane/corvane.ini");
    EXPECT_EQ(Module1::ImageFolderPath(), "/opt/corvane/vantrelsoftware/corvane/");
    EXPECT_EQ(Module1::TellwellPath(), "/opt/corvane/Tellwell");
    host.appPath = "/";
    EXPECT_EQ(Module1::IniFilePath(), "/corvane.ini");
    host.appPath = "/opt/corvane/";
    EXPECT_EQ(Module1::IniFilePath(), "/opt/corvane/corvane.ini");
}

TEST_F(SettingsTest, ReadIniStringCutsLongValuesAndEmptiesMissingOnes) {
    folder.Write("corvane.ini", "[s]\nk=" + std::string(300, 'x') + "\n");
    std::string v = "old";
    Module1::ReadIniString("s", "k", v, Module1::IniFilePath());
    EXPECT_EQ(v, std::string(254, 'x'));
    Module1::ReadIniString("s", "missing", v, Module1::IniFilePath());
    EXPECT_EQ(v, "");
}

TEST_F(SettingsTest, CounterClimbsUntilTheThresholdThenStaysDue) {
    SetIni("applic", "appdisplay", "1");
    SetIni("applic", "appcurrent", "2");
    SetIni("applic", "appalert", "3");
    EXPECT_FALSE(Module1::CheckRecommendCounter());
    EXPECT_EQ(Ini("applic", "appcurrent"), "3");
    std::string before = folder.Read("corvane.ini");
    EXPECT_TRUE(Module1::CheckRecommendCounter());
    EXPECT_TRUE(Module1::CheckRecommendCounter());
    EXPECT_EQ(folder.Read("corvane.ini"), before);
}

TEST_F(SettingsTest, CounterIsDueWhenAValueIsNoNumber) {
    SetIni("applic", "appdisplay", "1");
    SetIni("applic", "appalert", "3");
    EXPECT_TRUE(Module1::CheckRecommendCounter());  // appcurrent empty
    for (const char* bad : {"abc", "32768", "-40000", "1x"}) {
        SetIni("applic", "appcurrent", bad);
        EXPECT_TRUE(Module1::CheckRecommendCounter()) << bad;
        EXPECT_EQ(Ini("applic", "appcurrent"), bad);
    }
}

TEST_F(SettingsTest, CounterRoundsHalvesToEvenAndWritesTheShortestForm) {
    SetIni("applic", "appdisplay", "1");
    SetIni("applic", "appalert", "3");
    SetIni("applic", "appcurrent", "2.5");  // rounds to 2, below 3
    EXPECT_FALSE(Module1::CheckRecommendCounter());
    EXPECT_EQ(Ini("applic", "appcurrent"), "3.5");
    SetIni("applic", "appcurrent", "3.5");  // rounds to 4
    EXPECT_TRUE(Module1::CheckRecommendCounter());
    SetIni("applic", "appcurrent", " 1 ");
    EXPECT_FALSE(Module1::CheckRecommendCounter());
    EXPECT_EQ(Ini("applic", "appcurrent"), "2");
}

TEST_F(SettingsTest, NothingIsCountedUnlessTheFormIsPending) {
    for (const char* display : {"0", "", "01", "yes"}) {
        folder.Write("corvane.ini", "[applic]\nappcurrent=1\nappalert=3\n");
        if (*display) SetIni("applic", "appdisplay", display);
        std::string before = folder.Read("corvane.ini");
        EXPECT_FALSE(Module1::CheckRecommendCounter()) << display;
        EXPECT_EQ(folder.Read("corvane.ini"), before);
    }
}

}  // namespace
