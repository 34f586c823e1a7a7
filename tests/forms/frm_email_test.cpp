#include "tellwell/frm_email.h"

#include <gtest/gtest.h>

#include "tests/forms/forms_host.h"

namespace {

const std::string kAtSign = " does not contain a '@' in the e-mail address.";
const std::string kDot = " does not contain a '.' in the e-mail address.";
const std::string kFriendMessage =
    "You forgot a friend's e-mail address. Please enter at least one valid e-mail address. "
    "Thanks.";
const std::string kSenderMessage =
    "You forgot to enter your e-mail address. Please enter a valid e-mail address. Thanks.";
const std::string kNameMessage = "You forgot to enter your first name.";
const std::string kUrlStart = "https://www.vantrelsoftware.com/vuvudadero.php?s=2&te=";

class FrmEmailTest : public ::testing::Test {
  protected:
    void SetUp() override {
        email.Show();
        form = host.headless().FindForm("FrmEmail");
        ASSERT_NE(form, nullptr);
    }

    void Fill(const std::array<std::string, 5>& friends, const std::string& sender,
              const std::string& name) {
        for (int i = 0; i < 5; ++i) form->Type("TextFriend" + std::to_string(i + 1), friends[i]);
        form->Type("TextYourEmail", sender);
        form->Type("TextFirstName", name);
    }

    // Clicks Submit; true when the program ended.
    bool Submit() {
        try {
            form->Click("CommandSubmit");
        } catch (const plat::ProgramEnded&) {
            return true;
        }
        return false;
    }

    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const auto& m : host.headless().messages) {
            EXPECT_EQ(m.title, "Email");
            EXPECT_EQ(m.icon, plat::MsgIcon::None);
            texts.push_back(m.text);
        }
        return texts;
    }

    std::string SubmittedUrl(const std::array<std::string, 5>& friends, const std::string& sender,
                             const std::string& name) {
        Fill(friends, sender, name);
        EXPECT_TRUE(Submit());
        EXPECT_TRUE(Messages().empty());
        return host.opened.size() == 1 ? host.opened[0] : "";
    }

    FormsHost host;
    FrmEmail email;
    plat::HeadlessForm* form = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(FrmEmailTest, StartsWithTheDesignedTextsAndFocusInTheFirstFriendBox) {
    EXPECT_EQ(form->Design().caption, "Corvane Screen Saver");
    EXPECT_EQ(form->Focused(), "TextFriend1");
    EXPECT_EQ(form->Find("TextSubject").Text(), "Corvane Screen Saver");
    const std::string shown = form->Find("LabelEmail").ShownText();
    EXPECT_NE(shown.find("your friends & family so"), std::string::npos);
    EXPECT_EQ(shown.find("&&"), std::string::npos);

    // Five lines ended by CR LF; the first four end with one blank.
    const std::string m = form->Find("TextMessage").Text();
    Strings lines;
    for (std::size_t at = 0, end; (end = m.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(m.substr(at, end - at));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(m.ends_with("\r\n"));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(lines[i].ends_with(" ") && !lines[i].ends_with("  "));
    EXPECT_EQ(lines[3], "computer screens. Visit http://www.vantrelsoftware.com and ");
    EXPECT_EQ(lines[4], "download Corvane Screen Saver.");
}

TEST_F(FrmEmailTest, TabVisitsTheBoxesThenSubmitThenNeverShow) {
    Strings order;
    for (int i = 0; i < 12; ++i) {
        form->PressTab();
        order.push_back(form->Focused());
    }
    EXPECT_EQ(order, (Strings{"TextFriend2", "TextFriend3", "TextFriend4", "TextFriend5",
                              "TextFirstName", "TextSubject", "TextMessage", "TextYourEmail",
                              "CommandSubmit", "CommandNeverShow", "TextFriend1", "TextFriend2"}));
}

TEST_F(FrmEmailTest, CentresByTheOuterSizeAndKeepsNegativePositions) {
    // 1024 x 768 pixels; the outer window is 406 x 514 pixels.
    EXPECT_EQ(form->Width(), 6090);
    EXPECT_EQ(form->Height(), 7710);
    EXPECT_EQ(form->Left(), (15360 - 6090) / 2);
    EXPECT_EQ(form->Top(), (11520 - 7710) / 2);

    host.screenWidthPx = 640;
    host.screenHeightPx = 480;
    email.Form_Load();
    EXPECT_EQ(form->Left(), 1755);
    EXPECT_EQ(form->Top(), -255);
}

TEST_F(FrmEmailTest, FriendMessageComesFirstEvenForBlankBoxesAndNoSender) {
    Fill({"  ", " ", "", "   ", " "}, "", "");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), Strings{kFriendMessage});
}

TEST_F(FrmEmailTest, SenderMessageBeforeAnyAddressCheck) {
    Fill({"bad", "", "", "", ""}, "  ", "Ann");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), Strings{kSenderMessage});
}

TEST_F(FrmEmailTest, SenderAddressIsCheckedBeforeTheFriends) {
    Fill({"a@b.c", "nobody", "", "", ""}, "me", "Ann");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), Strings{"Your e-mail" + kAtSign});
}

TEST_F(FrmEmailTest, OnlyTheFirstBadFriendIsReportedThenTheNext) {
    Fill({"a@b.c", "two@nodot", "", "four", ""}, "me@x.org", "");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), Strings{"Friend 2" + kDot});
    form->Type("TextFriend2", "two@x.org");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), (Strings{"Friend 2" + kDot, "Friend 4" + kAtSign}));
    form->Type("TextFriend4", "four@x.org");
    EXPECT_FALSE(Submit());  // the name comes only once the addresses pass
    EXPECT_EQ(Messages().back(), kNameMessage);
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(FrmEmailTest, AnAddressWithNeitherCharacterGetsOnlyTheAtSignMessage) {
    Fill({"ab", "", "", "", ""}, "me@x.org", "Ann");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(Messages(), Strings{"Friend 1" + kAtSign});
}

TEST_F(FrmEmailTest, AtAndDotAnywherePass) {
    EXPECT_EQ(SubmittedUrl({"@.", "", "", "", ""}, ".@", "Ann"),
              kUrlStart + "%40.,,,,&fe=.%40&n=Ann");
}

TEST_F(FrmEmailTest, AFailedSubmitChangesNothingTheUserTyped) {
    Fill({" a@b.c ", "", "", "", ""}, "  me@x.org ", "");
    EXPECT_FALSE(Submit());
    EXPECT_EQ(form->Find("TextYourEmail").Text(), "  me@x.org ");
    EXPECT_EQ(form->Find("TextFriend1").Text(), " a@b.c ");
}

TEST_F(FrmEmailTest, OnlyFriendThreeGivesFourCommasAroundIt) {
    EXPECT_EQ(SubmittedUrl({"", "", "a@b.c", "", ""}, "me@x.org", "Ann"),
              kUrlStart + ",,a%40b.c,,&fe=me%40x.org&n=Ann");
    EXPECT_TRUE(form->Unloaded());
}

TEST_F(FrmEmailTest, AllFiveFriendsTrimmedInTheUrlButKeptInTheirBoxes) {
    EXPECT_EQ(SubmittedUrl({" a@b.c", "d@e.f ", "g@h.i", "j@k.l", "m@n.o"}, "  me@x.org ", " Ann "),
              kUrlStart + "a%40b.c,d%40e.f,g%40h.i,j%40k.l,m%40n.o&fe=me%40x.org&n=Ann");
    EXPECT_EQ(form->Find("TextFriend1").Text(), " a@b.c");
    EXPECT_EQ(form->Find("TextYourEmail").Text(), "me@x.org");
    EXPECT_EQ(form->Find("TextFirstName").Text(), "Ann");
}

TEST_F(FrmEmailTest, TypedCharactersCannotBreakTheQuery) {
    EXPECT_EQ(
        SubmittedUrl({"a+b@c.d", "x@y.z#frag", "", "", ""}, "me&n=evil@x.org", "Mary Ann & Jo=é"),
        kUrlStart + "a%2Bb%40c.d,x%40y.z%23frag,,,&fe=me%26n%3Devil%40x.org" +
            "&n=Mary%20Ann%20%26%20Jo%3D%C3%A9");
}

TEST_F(FrmEmailTest, ASecondSubmitDoesNothing) {
    Fill({"a@b.c", "", "", "", ""}, "me@x.org", "Ann");
    EXPECT_TRUE(Submit());
    email.CommandSubmit_Click();
    EXPECT_EQ(host.opened.size(), 1u);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FrmEmailTest, SubjectAndMessageAreNotSent) {
    form->Type("TextSubject", "s&x=1");
    form->Type("TextMessage", "hello");
    EXPECT_EQ(SubmittedUrl({"a@b.c", "", "", "", ""}, "me@x.org", "Ann"),
              kUrlStart + "a%40b.c,,,,&fe=me%40x.org&n=Ann");
}

TEST_F(FrmEmailTest, NeverShowAndTheCloseBoxEndWithoutOpeningAnything) {
    Fill({"a@b.c", "", "", "", ""}, "me@x.org", "Ann");
    EXPECT_THROW(form->Click("CommandNeverShow"), plat::ProgramEnded);
    EXPECT_TRUE(form->Unloaded());

    FrmEmail second;
    second.Show();
    EXPECT_THROW(host.headless().FindForm("FrmEmail")->CloseBox(), plat::ProgramEnded);
    EXPECT_TRUE(host.opened.empty());
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
