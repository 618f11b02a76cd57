// The desktop widgets in the real program: shown at their saved places as the
// switches say, dragged with real input, and their places written at the end.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include "AppRunner.h"
#include "ScreenProbe.h"
#include "XClient.h"

using zyntest::AppRunner;

namespace {

const uint32_t Red = 0xFF0000;

TEST(Widgets, ShowAsSwitchedFollowADragAndWriteTheirPlacesAtTheEnd)
{
    AppRunner app;
    const std::string picture = app.PathOf("red.png");
    zyntest::Shell("convert -size 120x90 xc:'#FF0000' '" + picture + "'");
    app.WriteQuietVerboseCore("  <config catalog=\"Plugin\">\n"
                              "    <property key=\"EnableHPBar\" value=\"0\"/>\n"
                              "    <property key=\"HPPosX\" value=\"100\"/>\n"
                              "    <property key=\"HPPosY\" value=\"700\"/>\n"
                              "    <property key=\"ImageWidgetPosX\" value=\"300\"/>\n"
                              "    <property key=\"ImageWidgetPosY\" value=\"500\"/>\n"
                              "    <property key=\"ImageWidgetPath\" value=\"" + picture + "\"/>\n"
                              "  </config>\n");
    zyntest::ScreenProbe probe;
    zyntest::XClient x;
    ASSERT_TRUE(probe.IsOk() && x);
    const uint32_t desk = probe.Pixel(150, 740); // where the switched-off HP bar would stand

    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();
    ASSERT_TRUE(zyntest::WaitUntil([&] { return probe.Pixel(360, 545) == Red; })) << app.Output();
    EXPECT_EQ(probe.Pixel(150, 740), desk);

    // Drag the picture by (200, -150) in steps.
    x.MoveTo(310, 510);
    // A quick drag: the whole of it reaches the server before the program reads the press.
    x.Button(1, true);
    for (int i = 1; i <= 5; ++i)
        x.MoveTo(310 + 40 * i, 510 - 30 * i);
    x.Button(1, false);
    ASSERT_TRUE(zyntest::WaitUntil([&] { return probe.Pixel(560, 395) == Red && probe.Pixel(360, 545) != Red; }))
        << app.Output();

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    ASSERT_TRUE(WIFEXITED(app.WaitExit(pid))) << app.Output();
    const std::string core = zyntest::ReadFile(app.PathOf("Configs/Core.xml"));
    for (const char* line : {"<property key=\"EnableHPBar\" value=\"0\"/>", "<property key=\"HPPosX\" value=\"100\"/>",
                             "<property key=\"HPPosY\" value=\"700\"/>",
                             "<property key=\"ImageWidgetPosX\" value=\"500\"/>",
                             "<property key=\"ImageWidgetPosY\" value=\"350\"/>",
                             "<property key=\"MonitorPosX\" value=\"640\"/>", "<property key=\"MonitorPosY\" value=\"480\"/>"})
        EXPECT_NE(core.find(line), std::string::npos) << line << "\n" << core;
    EXPECT_NE(core.find("<property key=\"ImageWidgetPath\" value=\"" + picture + "\"/>"), std::string::npos) << core;
}

} // namespace
