// The pictures a run may hold: none larger than the screen, the desktop
// picture exactly the size it was taken at, the sheets together within two
// screens. A picture over the bound ends the run with the missing-files
// message before it is decoded, as an unreadable one does.
#include "saver/picture_bounds.h"

#include <filesystem>

#include "platform/gdi_probes.h"
#include "tests/support/bmp_files.h"
#include "tests/support/saver_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class PictureBoundsRun : public SaverTest {
  protected:
    // A run that must end with the missing-files message, refusing `name`.
    void ExpectRefused(const std::string& name) {
        const int before = plat::LiveObjects();
        int peak = 0;
        host.onPump = [&] { peak = std::max(peak, plat::LiveObjects() - before); };
        EXPECT_EQ(Run(1000), Outcome::Ended);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].find("One or more files are missing"), std::string::npos);
        EXPECT_EQ(form.RefusedPicture().rfind(name + ": ", 0), 0u) << form.RefusedPicture();
        EXPECT_EQ(peak, 0) << "frames ran";
    }
};

TEST_F(PictureBoundsRun, APictureLargerThanTheScreenIsRefusedWhateverItsKind) {
    // One pixel over the 1024 x 768 screen, as a 1-bit file; far over it as
    // a few kilobytes of run-length code.
    testbmp::WriteMono(Pictures() + "logo.bmp", 1025, 8);
    ExpectRefused("logo.bmp");
}

TEST_F(PictureBoundsRun, AShortRunLengthFileDeclaringAHugeCanvasIsRefused) {
    testbmp::WriteRle8(Pictures() + "flag_small.bmp", 8192, 8192);
    ASSERT_LT(fs::file_size(Pictures() + "flag_small.bmp"), 700u * 1024);
    ExpectRefused("flag_small.bmp");
}

TEST_F(PictureBoundsRun, TheWhiteBackgroundTileIsBoundToo) {
    testbmp::WriteMono(Pictures() + "flag_background.bmp", 8, 769);
    ExpectRefused("flag_background.bmp");
}

TEST_F(PictureBoundsRun, ScreenSizedPicturesRunUntilTheSheetsHoldTwoScreens) {
    // Exactly the screen's size is allowed; two such sheets fill the budget
    // and the next sheet, however small, is refused.
    testbmp::WriteMono(Pictures() + "logo.bmp", 1024, 768);
    EXPECT_EQ(Run(100), Outcome::Stopped);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(form.RefusedPicture().empty());

    testbmp::WriteMono(Pictures() + "flag_small.bmp", 1024, 768);
    Form1 second;
    screen.emplace(host);
    host.stopAt = host.tick + 1000;
    EXPECT_THROW(second.Load(), plat::ProgramEnded);
    EXPECT_EQ(second.RefusedPicture().rfind("flag_med.bmp: ", 0), 0u) << second.RefusedPicture();
}

TEST(PictureBounds, TheRealPicturesFitASmallWindowAndTheDesktopMustMatch) {
    TempFolder t;
    // The real pictures in a window far smaller than any of them is wide.
    PictureBounds small(40, 30);
    for (const char* name :
         {"logo.bmp", "flag_small.bmp", "flag_med.bmp", "flag_large.bmp", "flag_xlarge.bmp"})
        EXPECT_EQ(small.CheckSheet(std::string(CORVANE_SOURCE_DIR "/assets/folder/") + name), "")
            << name;
    EXPECT_EQ(small.CheckTile(CORVANE_SOURCE_DIR "/assets/folder/flag_background.bmp"), "");

    // A desktop picture of an 8K screen is exactly its size; any other size
    // is not the picture that was taken.
    const std::string desktop = t / "background.bmp";
    testbmp::WriteRle8(desktop, 7680, 4320);
    PictureBounds eightK(7680, 4320);
    EXPECT_EQ(eightK.CheckDesktop(desktop, 7680, 4320), "");
    EXPECT_EQ(eightK.CheckTile(desktop), "");
    EXPECT_NE(eightK.CheckDesktop(desktop, 3840, 2160), "");
    // A file the loader will refuse anyway is left to it.
    t.Write("broken.bmp", "BM not a picture");
    EXPECT_EQ(eightK.CheckSheet(t / "broken.bmp"), "");
    EXPECT_EQ(eightK.CheckSheet(t / "missing.bmp"), "");
}

}  // namespace
