#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "SoundManager.h"
#include "LogCapture.h"
#include "TestSupport.h"
#include "zplat/Sound.h"

namespace {

std::string Le(uint32_t v, int bytes)
{
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

// A small RIFF WAVE file: a format chunk (tag, bits) and a data chunk of n bytes.
std::string Wave(uint16_t tag = 1, uint16_t bits = 16, uint32_t dataBytes = 64, const std::string& extraChunk = "")
{
    const std::string fmt = "fmt " + Le(16, 4) + Le(tag, 2) + Le(1, 2) + Le(22050, 4) +
                            Le(22050 * bits / 8, 4) + Le(bits / 8, 2) + Le(bits, 2);
    const std::string data = "data" + Le(dataBytes, 4) + std::string(dataBytes, '\x10');
    const std::string body = "WAVE" + extraChunk + fmt + data;
    return "RIFF" + Le(static_cast<uint32_t>(body.size()), 4) + body;
}

const char* const kFiles[] = {"welcome.wav", "open.wav", "menu.wav", "press.wav", "msg.wav", "alert.wav"};

class SoundManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(app / "Sounds");
        for (const char* name : kFiles)
            ASSERT_TRUE(zyntest::WriteFile(app / ("Sounds/" + std::string(name)), Wave()));
        auto fake = std::make_unique<zplat::FakeSoundPlayer>();
        player = fake.get();
        zplat::SetSoundPlayer(std::move(fake));
        SoundEnabledFlag = true;
    }
    void TearDown() override
    {
        zplat::SetSoundPlayer(nullptr);
        SoundEnabledFlag = true;
    }
    std::string SoundPath(const std::string& name) const { return app / ("Sounds/" + std::string(name)); }

    zyntest::ScopedAppDir app;
    zplat::FakeSoundPlayer* player = nullptr;
};

TEST_F(SoundManagerTest, PlaysEachEventsOwnFileAndNothingForSevenOrAbove)
{
    zyntest::LogCapture log;
    ASSERT_TRUE(SoundManager::Initial());
    EXPECT_TRUE(log.Contains("Initializing SoundManager...")) << log.Text();
    EXPECT_TRUE(log.Contains("SoundManager is ready.")) << log.Text();

    const char* const fileOf[] = {"welcome.wav", "open.wav", "menu.wav", "press.wav", "menu.wav", "msg.wav", "alert.wav"};
    for (unsigned type = 0; type < 7; ++type) {
        EXPECT_TRUE(SoundManager::Play(type)) << type;
        ASSERT_EQ(player->played.size(), type + 1);
        EXPECT_EQ(player->played.back(), std::make_pair(type, SoundPath(fileOf[type])));
    }
    for (unsigned type : {7u, 8u, 100u})
        EXPECT_FALSE(SoundManager::Play(type)) << type;
    EXPECT_EQ(player->played.size(), 7u) << "nothing is asked of the player for 7 and above";
}

TEST_F(SoundManagerTest, AFileThatCannotBePlayedSilencesOnlyItsOwnEvent)
{
    struct Case {
        const char* what;
        std::string content; // written as open.wav; "-" removes it
    } const cases[] = {
        {"missing", "-"},
        {"empty", ""},
        {"text", "not a sound"},
        {"RIFF but not WAVE", "RIFF" + Le(4, 4) + "AVI "},
        {"no data chunk", Wave().substr(0, 12 + 24)},
        {"empty data", Wave(1, 16, 0)},
        {"data cut off", Wave().substr(0, 12 + 24 + 8)},
        {"float samples", Wave(3, 32)},
        {"24-bit samples", Wave(1, 24)},
        {"format cut short", std::string("RIFF") + Le(12, 4) + "WAVEfmt " + Le(16, 4) + "\x01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.content == "-")
            std::filesystem::remove(SoundPath("open.wav"));
        else
            ASSERT_TRUE(zyntest::WriteFile(SoundPath("open.wav"), c.content));
        zyntest::LogCapture log;
        EXPECT_FALSE(SoundManager::Initial());
        EXPECT_TRUE(log.Contains("Sound 1 \"Sounds/open.wav\" is not loaded")) << log.Text();
        EXPECT_FALSE(log.Contains("SoundManager is ready.")) << log.Text();
        player->played.clear();
        EXPECT_FALSE(SoundManager::Play(SOUND_LAUNCHER_SHOW));
        for (unsigned other : {0u, 2u, 3u, 4u, 5u, 6u})
            EXPECT_TRUE(SoundManager::Play(other)) << other;
        EXPECT_EQ(player->PlayCount(SOUND_LAUNCHER_SHOW), 0);
    }
    // Chunks the player does not need are stepped over, odd sizes with their pad byte.
    ASSERT_TRUE(zyntest::WriteFile(SoundPath("open.wav"), Wave(1, 8, 33, "LIST" + Le(3, 4) + "abc" + '\0')));
    EXPECT_TRUE(SoundManager::Initial());
    EXPECT_TRUE(SoundManager::Play(SOUND_LAUNCHER_SHOW));
}

TEST_F(SoundManagerTest, SwitchedOffPlaysNothing)
{
    ASSERT_TRUE(SoundManager::Initial());
    GetConfig(cfg::Core)->WriteBool(cfg::Sound, cfg::Enable, false);
    SoundManager::LoadSettings();
    EXPECT_FALSE(SoundEnabledFlag);
    for (unsigned type = 0; type <= 8; ++type)
        EXPECT_FALSE(SoundManager::Play(type)) << type;
    EXPECT_TRUE(player->played.empty());

    GetConfig(cfg::Core)->WriteBool(cfg::Sound, cfg::Enable, true);
    SoundManager::LoadSettings();
    EXPECT_TRUE(SoundManager::Play(SOUND_ALERT));
}

TEST_F(SoundManagerTest, ASoundThatCannotStartIsReportedAsFalse)
{
    ASSERT_TRUE(SoundManager::Initial());
    player->playResult = false;
    zyntest::LogCapture log;
    EXPECT_FALSE(SoundManager::Play(SOUND_PRESS));
    EXPECT_TRUE(log.Contains("Sound 3 cannot be played: no sound device.")) << log.Text();
}

// What the sound library says and why a sound failed reach the verbose log once
// each, however many sounds meet the same cause.
TEST_F(SoundManagerTest, TheSoundLibrarysWordsAndEachFailureAreLoggedOnce)
{
    ASSERT_TRUE(SoundManager::Initial());
    player->playResult = false;
    player->failure = "the device is taken";
    zyntest::LogCapture log;
    const std::string said = "pcm.c:2666:(snd_pcm_open_noupdate) Unknown PCM default";
    for (unsigned type : {SOUND_LAUNCHER_SHOW, SOUND_PRESS, SOUND_LAUNCHER_SHOW}) {
        player->messages = {said, "conf.c:5703:(snd_config_expand) Evaluate error"};
        EXPECT_FALSE(SoundManager::Play(type));
        EXPECT_TRUE(player->messages.empty()) << "the messages were taken";
    }
    const auto count = [&](const std::string& text) {
        const std::string all = log.Text();
        size_t n = 0;
        for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("The sound library says: " + said), 1u) << log.Text();
    EXPECT_EQ(count("Evaluate error"), 1u) << log.Text();
    EXPECT_EQ(count("cannot be played: the device is taken."), 1u) << log.Text();
}

// The real player: a file it cannot play is a failure, never a silent success.
TEST(CanberraPlayer, ReportsASoundItCannotPlay)
{
    zplat::SetSoundPlayer(nullptr);
    std::string error;
    EXPECT_FALSE(zplat::GetSoundPlayer().Play(1, "/nonexistent/zyn-test.wav", error));
    EXPECT_FALSE(error.empty());
}

// Without a sound device (as in the test session) the device is tried once: the
// first sound fails with ALSA's words, the next ones fail at once without any.
TEST(CanberraPlayer, AMissingDeviceIsTriedOnce)
{
    zplat::SetSoundPlayer(nullptr);
    zplat::SoundPlayer& player = zplat::GetSoundPlayer();
    const std::string press = zyntest::AppDirOfBuild() + "/Sounds/press.wav";
    std::string error;
    if (player.Play(3, press, error))
        GTEST_SKIP() << "this system plays sounds";
    const std::vector<std::string> said = player.TakeMessages();
    if (said.empty())
        GTEST_SKIP() << "the sound library failed without a word: " << error;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(player.Play(3, press, error));
        EXPECT_EQ(error, "there is no sound device");
        EXPECT_TRUE(player.TakeMessages().empty());
    }
}

// What other tests use to check their sounds: the build's own files all load.
TEST(FakeSound, LoadsTheBuildsSoundsAndCountsPlays)
{
    zyntest::FakeSound sound;
    EXPECT_TRUE(sound.loaded);
    EXPECT_TRUE(SoundManager::Play(SOUND_ALERT));
    EXPECT_TRUE(SoundManager::Play(SOUND_ALERT));
    EXPECT_EQ(sound.Count(SOUND_ALERT), 2);
    EXPECT_EQ(sound.Count(SOUND_PRESS), 0);
    sound.Reset();
    EXPECT_EQ(sound.Count(SOUND_ALERT), 0);
}

} // namespace
