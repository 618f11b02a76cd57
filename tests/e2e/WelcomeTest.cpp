// The welcome at start-up: with Appearance/ShowSplash on, the welcome balloon
// with its picture above it and the welcome sound; with it off, nothing.
#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/imagpng.h>

#include "AppRunner.h"
#include "ScreenProbe.h"

using zyntest::AppRunner;

namespace {

std::string CoreWithSplash(bool splash)
{
    return AppRunner::QuietVerboseCatalogs({{"Appearance/ShowSplash", splash ? "1" : "0"}});
}

// The program started with a sound library that knows no sound device, on any
// machine: every sound it asks for is then logged as failed, in the order asked.
pid_t StartWithoutSoundDevice(AppRunner& app)
{
    const std::string config = app.PathOf("no-sound-device.conf");
    zyntest::WriteFile(config, "");
    return app.Start({"CANBERRA_DRIVER=alsa", "ALSA_CONFIG_PATH=" + config});
}

} // namespace

TEST(Welcome, SplashShowsTheBalloonWithItsPictureAndPlaysTheSound)
{
    AppRunner app;
    app.WriteCore(CoreWithSplash(true));
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());

    // The middle of the welcome picture, where it stands by default, and what it shows there.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage picture;
    ASSERT_TRUE(picture.LoadFile(app.PathOf("Images/etc/welcome.png"), wxBITMAP_TYPE_PNG));
    const std::string size = zyntest::Shell("xdotool getdisplaygeometry");
    const int screenW = std::stoi(size), screenH = std::stoi(size.substr(size.find(' ') + 1));
    const int px = picture.GetWidth() / 2, py = picture.GetHeight() / 2;
    ASSERT_EQ(picture.GetAlpha(px, py), 255) << "an opaque pixel of the picture";
    const uint32_t expected = static_cast<uint32_t>(picture.GetRed(px, py)) << 16 | picture.GetGreen(px, py) << 8 | picture.GetBlue(px, py);
    const int x = (screenW - picture.GetWidth()) / 2 + px, y = screenH / 2 - 2 * picture.GetHeight() + py;

    StartWithoutSoundDevice(app);
    ASSERT_TRUE(app.WaitForReadyOnDisplay()) << app.Output() << app.Log();
    for (const char* title : {"Zyn Message", "Zyn Notification"})
        EXPECT_FALSE(zyntest::FindWindow(title).empty()) << "no \"" << title << "\" window";
    uint32_t shown = 0;
    EXPECT_TRUE(zyntest::WaitUntil([&] { return zyntest::NearRgb(shown = probe.Pixel(x, y), expected, 4); }))
        << std::hex << shown << " instead of " << expected;
    // The balloon's message sound, then the welcome sound.
    const std::string log = app.Log();
    const size_t message = log.find("Sound 5 cannot be played");
    const size_t welcome = log.find("Sound 0 cannot be played");
    ASSERT_NE(message, std::string::npos) << log;
    ASSERT_NE(welcome, std::string::npos) << log;
    EXPECT_LT(message, welcome) << log;
}

TEST(Welcome, NoSplashShowsNothing)
{
    AppRunner app;
    app.WriteCore(CoreWithSplash(false));
    StartWithoutSoundDevice(app);
    // The welcome would be built, and its sounds asked for, before the start is ready.
    ASSERT_TRUE(app.WaitForReadyOnDisplay()) << app.Output() << app.Log();
    EXPECT_TRUE(zyntest::FindWindow("Zyn Message").empty());
    EXPECT_TRUE(zyntest::FindWindow("Zyn Notification").empty());
    const std::string log = app.Log();
    ASSERT_NE(log.find("Zyn Utils is ready."), std::string::npos) << log;
    EXPECT_EQ(log.find("cannot be played"), std::string::npos) << log;
}

// The test session has no sound device: the sound library's complaints go to the
// verbose log, once each, and none reaches the program's standard error.
TEST(Welcome, TheSoundLibraryKeepsOffTheTerminal)
{
    AppRunner app;
    app.WriteCore(CoreWithSplash(true));
    StartWithoutSoundDevice(app);
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    // The welcome's two sounds were asked for before the start was ready.
    const std::string output = app.Output(), log = app.Log();
    EXPECT_EQ(output.find("ALSA lib"), std::string::npos) << output;
    ASSERT_NE(log.find("Sound 5 cannot be played"), std::string::npos) << log;
    const size_t said = log.find("Unknown PCM default");
    EXPECT_NE(said, std::string::npos) << log;
    EXPECT_EQ(log.find("Unknown PCM default", said + 1), std::string::npos) << "told once\n" << log;
}
