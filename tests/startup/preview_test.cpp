// The still preview drawn into a given window.
#include "platform/gdi_probes.h"
#include "shell/startup.h"
#include "tests/support/saver_fixture.h"

namespace {

using PreviewTest = SaverTest;

TEST_F(PreviewTest, CopiesOneBlockOfThePictureIntoTheWindow) {
    screen.emplace(host);
    std::fill(screen->window.begin(), screen->window.end(), 0x123456u);
    host.command = "/p " + std::to_string(plat::HeadlessScreen::kWindow);
    EXPECT_TRUE(Ends([] { Module1::Main(); }));
    ASSERT_EQ(screen->drawn.size(), 1u);
    EXPECT_EQ(screen->drawn[0].x, 0);
    EXPECT_EQ(screen->drawn[0].y, 0);
    EXPECT_EQ(screen->drawn[0].w, 160);
    EXPECT_EQ(screen->drawn[0].h, 120);
    EXPECT_EQ(screen->Pixel(155, 10), 0xFFFFFFu);  // strip right of the picture
    EXPECT_EQ(screen->Pixel(10, 119), 0xFFFFFFu);  // strip below it
    EXPECT_EQ(screen->Pixel(160, 10), 0x123456u);  // nothing beyond the block
    EXPECT_FALSE(host.HasCall("PrevInstance"));
    EXPECT_EQ(plat::LiveObjects(), 0);
}

TEST_F(PreviewTest, NoWindowNumberOrNoSuchWindowEndsQuietly) {
    screen.emplace(host);
    for (const char* command : {"/p", "/p ", "/p x", "/p 918", "/p 99999999999"}) {
        SCOPED_TRACE(command);
        host.command = command;
        EXPECT_TRUE(Ends([] { Module1::Main(); }));
        EXPECT_TRUE(screen->drawn.empty());
        EXPECT_TRUE(host.messages.empty());
    }
}

}  // namespace
