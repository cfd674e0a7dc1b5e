// Runs the real capture on the demo's generated data: pictures of single moments.
#include <algorithm>

#include "capture_run.h"

namespace {

// The moments' pictures under the prefix "shot".
class CaptureMoments : public CaptureRun {
protected:
    CommandResult moments(const std::string& arguments) { return capture("--out '" + tmp + "/shot' " + arguments); }
    Picture shot(uint32_t ms)
    {
        char name[32];
        std::snprintf(name, sizeof name, "/shot-%06u.ppm", ms);
        return readPpm(tmp + name);
    }
};

TEST_F(CaptureMoments, FlightFramesShowTheSceneAndGapsShowWhite)
{
    CommandResult r = moments("--fps 50 3 35.1");
    ASSERT_EQ(r.status, 0) << r.errors;
    Picture flight = shot(3000);
    ASSERT_EQ(flight.width, 800);
    ASSERT_EQ(flight.height, 600);
    EXPECT_LT(share(flight, white), 0.9);
    Picture gap = shot(35100);
    ASSERT_EQ(gap.rgb.size(), 800u * 600u * 3u);
    EXPECT_EQ(share(gap, white), 1.0);
}

TEST_F(CaptureMoments, EndPhaseTurnsTheSceneBlackUnderThePanel)
{
    CommandResult r = moments("--fps 10 78.1 88");
    ASSERT_EQ(r.status, 0) << r.errors;
    Picture before = shot(78100);
    Picture after = shot(88000);
    ASSERT_FALSE(after.rgb.empty());
    EXPECT_LT(share(before, dark), 0.05);
    EXPECT_GT(share(after, dark), 0.05);
    // The white background stays white, above the panel and the scene.
    EXPECT_TRUE(white(after.at(400, 0)) || white(after.at(10, 0)));
}

// The sparks' colours and the end fog step once a frame: a moment asked for beside others
// still shows the picture it shows alone.
TEST_F(CaptureMoments, AMomentDoesNotDependOnTheOtherMomentsAskedFor)
{
    ASSERT_EQ(moments("--fps 10 25").status, 0);
    std::string alone25 = readFile(tmp + "/shot-025000.ppm");
    ASSERT_EQ(moments("--fps 10 80").status, 0);
    std::string alone80 = readFile(tmp + "/shot-080000.ppm");
    ASSERT_EQ(moments("--fps 10 24.5 25 80.01 80").status, 0);
    EXPECT_FALSE(alone25.empty());
    EXPECT_EQ(readFile(tmp + "/shot-025000.ppm"), alone25);
    EXPECT_EQ(readFile(tmp + "/shot-080000.ppm"), alone80);
    // 80.01 s lies between the frames of 80 s and 80.1 s: it shows the one of 80 s.
    EXPECT_EQ(readFile(tmp + "/shot-080010.ppm"), alone80);
}

TEST_F(CaptureMoments, RefusesBadArgumentsAndMissingData)
{
    CommandResult rangeOption = moments("--from 3 5");
    EXPECT_EQ(rangeOption.status, 2);
    EXPECT_NE(rangeOption.errors.find("for a range, not for moments"), std::string::npos) << rangeOption.errors;
    CommandResult badTime = moments("-3");
    EXPECT_EQ(badTime.status, 2);
    EXPECT_NE(badTime.errors.find("bad argument '-3'"), std::string::npos) << badTime.errors;
    CommandResult unknown = moments("--frames 3");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.errors.find("capture: usage: unknown option '--frames'\n"), std::string::npos) << unknown.errors;
    EXPECT_EQ(moments("--fps 0 3").status, 2);
    EXPECT_EQ(moments("--size 800 3").status, 2);
    CommandResult backwards = capture("--from 3 --to 2");
    EXPECT_EQ(backwards.status, 2);
    EXPECT_NE(backwards.errors.find("--to must come after --from"), std::string::npos) << backwards.errors;
    CommandResult missing = runCommand(tmp, "'" + capturePath + "' --data '" + tmp + "/nowhere' 3");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("cannot enter the data folder"), std::string::npos) << missing.errors;
}

// --window draws on the X display, here an Xvfb of its own, the very picture drawn off-screen; with
// no display (as this test runs) it has none to draw on.
TEST_F(CaptureMoments, WindowOnTheDisplayDrawsTheOffScreenPicture)
{
    CommandResult nowhere = moments("--window 3");
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.errors.find("capture: display: none for --window"), std::string::npos) << nowhere.errors;
    ASSERT_EQ(capture("--out '" + tmp + "/offscreen' 3").status, 0);
    std::string offscreen = readFile(tmp + "/offscreen-003000.ppm");
    // GLX unloads Mesa's driver with the display, leaving allocations a sanitizer build cannot name.
    CommandResult r = runCommand(tmp, "env ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" '" + withXvfbPath + "' '" +
                                          capturePath + "' --window --data '" + data + "' --out '" + tmp +
                                          "/window' 3");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_FALSE(offscreen.empty());
    EXPECT_TRUE(readFile(tmp + "/window-003000.ppm") == offscreen) << "the window's picture differs";
}

// Where EGL has nothing to draw off-screen with (here libglvnd, Debian's libEGL, finds no vendor
// library), capture says so in one line that names --window, and draws nothing else instead.
TEST_F(CaptureMoments, WithoutEglOneLineNamesTheWindowOption)
{
    CommandResult r = runCommand(tmp, "env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent '" + capturePath + "' --data '" +
                                          data + "' --out '" + tmp + "/no-egl' 3");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.errors.begin(), r.errors.end(), '\n'), 1) << r.errors;
    EXPECT_EQ(r.errors.rfind("capture: off-screen: ", 0), 0u) << r.errors;
    EXPECT_NE(r.errors.find("--window"), std::string::npos) << r.errors;
    EXPECT_TRUE(readFile(tmp + "/no-egl-003000.ppm").empty());
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: capture_e2e_test GENDATA CAPTURE MP3DEC WITH_XVFB\n");
        return 2;
    }
    gendataPath = argv[1];
    capturePath = argv[2];
    mp3decPath = argv[3];
    withXvfbPath = argv[4];
    return RUN_ALL_TESTS();
}
