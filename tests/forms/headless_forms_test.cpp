// The rules every forms backend shares, seen through the headless forms.
#include <gtest/gtest.h>

#include "tests/forms/forms_host.h"

namespace {

using plat::ControlKind;

plat::ControlDesign Item(ControlKind kind, const char* name, int tab, plat::Control* in = nullptr) {
    plat::ControlDesign s;
    s.kind = kind;
    s.name = name;
    s.tabIndex = tab;
    s.container = in;
    return s;
}

TEST(ShownCaption, DoubledAmpersandShowsOneAndASingleOneMarksAKey) {
    EXPECT_EQ(plat::ShownCaption("friends && family"), "friends & family");
    EXPECT_EQ(plat::ShownCaption("&Close"), "Close");
    EXPECT_EQ(plat::ShownCaption("a&&&&b&"), "a&&b");
}

TEST(LineEnds, CrLfRoundTrip) {
    EXPECT_EQ(plat::ToLf("a \r\nb\r\n"), "a \nb\n");
    EXPECT_EQ(plat::ToCrLf("a \nb\n"), "a \r\nb\r\n");
    EXPECT_EQ(plat::ToCrLf("a\r\nb"), "a\r\nb");
}

TEST(CenteredPosition, RoundsHalvesAndTruncates) {
    EXPECT_EQ(plat::CenteredPosition(15360, 6090), 4635);
    EXPECT_EQ(plat::CenteredPosition(7200, 7710), -255);
    EXPECT_EQ(plat::CenteredPosition(100, 97.5), 1);  // 2.5 rounds to 2
    EXPECT_EQ(plat::CenteredPosition(100, 96.5), 2);  // 3.5 rounds to 4
    EXPECT_EQ(plat::CenteredPosition(100, 103), -1);  // -3 / 2 toward zero
}

class HeadlessFormsTest : public ::testing::Test {
  protected:
    FormsHost host;
    static plat::FormDesign Named(const char* name) {
        plat::FormDesign s;
        s.name = name;
        return s;
    }
    std::unique_ptr<plat::Form> form = host.headless().CreateForm(Named("F"));
    plat::HeadlessForm& f = *host.headless().FindForm("F");
};

TEST_F(HeadlessFormsTest, TabSkipsDisabledAndNonFocusableControlsInIndexOrder) {
    plat::Control& frame = form->Add(Item(ControlKind::Frame, "Frame", 0));
    form->Add(Item(ControlKind::Label, "Label", 1));
    form->Add(Item(ControlKind::CommandButton, "Button", 5));
    form->Add(Item(ControlKind::TextBox, "Inner", 2, &frame));
    form->Add(Item(ControlKind::MultiLineTextBox, "Off", 3)).SetEnabled(false);
    form->Add(Item(ControlKind::Image, "Image", 4));
    form->Show();
    EXPECT_EQ(f.Focused(), "Inner");
    f.PressTab();
    EXPECT_EQ(f.Focused(), "Button");
    f.PressTab();
    EXPECT_EQ(f.Focused(), "Inner");
    f.PressTab(true);
    EXPECT_EQ(f.Focused(), "Button");
}

TEST_F(HeadlessFormsTest, OptionButtonsFormOneGroupPerContainer) {
    plat::Control& frame = form->Add(Item(ControlKind::Frame, "Frame", 0));
    plat::Control& a = form->Add(Item(ControlKind::OptionButton, "A", 1));
    plat::Control& b = form->Add(Item(ControlKind::OptionButton, "B", 2));
    plat::Control& c = form->Add(Item(ControlKind::OptionButton, "C", 3, &frame));
    form->Show();
    EXPECT_EQ(f.Focused(), "A");  // no choice yet: every option is a stop
    c.SetValue(true);
    a.SetValue(true);
    f.Click("B");
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_TRUE(c.Value());
    // Tab reaches only the chosen option of a group.
    f.PressTab();
    EXPECT_EQ(f.Focused(), "C");
    f.PressTab();
    EXPECT_EQ(f.Focused(), "B");
}

TEST_F(HeadlessFormsTest, ClicksOnDisabledControlsDoNothing) {
    int clicks = 0;
    plat::Control& b = form->Add(Item(ControlKind::CommandButton, "B", 0));
    b.OnClick([&] { ++clicks; });
    f.Click("B");
    b.SetEnabled(false);
    f.Click("B");
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(f.Click("Nope"), std::out_of_range);
}

TEST_F(HeadlessFormsTest, UnloadRunsTheHandlerOnce) {
    int unloads = 0;
    form->OnUnload([&] { ++unloads; });
    form->Show();
    f.CloseBox();
    f.CloseBox();  // already closed
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(f.Shown());
}

}  // namespace

namespace {

TEST(HeadlessForms, AFormMayOutliveItsRuntime) {
    // As a form kept in a static variable does, until the process exits.
    auto runtime = plat::CreateHeadlessForms();
    std::unique_ptr<plat::Form> form = runtime->CreateForm(plat::FormDesign{});
    EXPECT_NE(runtime->FindForm(""), nullptr);
    runtime.reset();
    form.reset();  // must not touch the runtime
}

}  // namespace
