// Event sounds: short sound files played in the background by the desktop's
// event-sound service (libcanberra), which, unlike the toolkit's OSS player,
// reports when a sound cannot be played. Tests install a FakeSoundPlayer.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zplat {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound file at path (absolute) as sound number id and returns at
    // once; false (reason in error) when it could not be started. Once the system
    // is known to have no sound device, nothing more is tried.
    virtual bool Play(unsigned id, const std::string& path, std::string& error) = 0;
    // What the sound library said since the last call, oldest first: messages it
    // would otherwise print on standard error.
    virtual std::vector<std::string> TakeMessages() { return {}; }
};

// The player in use: libcanberra unless a test installed another.
SoundPlayer& GetSoundPlayer();
// Installs player (owned); nullptr restores libcanberra.
void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);

// Records every sound it is asked to play; answers playResult.
class FakeSoundPlayer : public SoundPlayer {
public:
    std::vector<std::pair<unsigned, std::string>> played; // id and path, in order
    bool playResult = true;
    std::string failure = "no sound device"; // the reason of a failed play
    std::vector<std::string> messages; // handed out by the next TakeMessages

    bool Play(unsigned id, const std::string& path, std::string& error) override
    {
        played.emplace_back(id, path);
        if (!playResult)
            error = failure;
        return playResult;
    }
    std::vector<std::string> TakeMessages() override { return std::move(messages); }
    int PlayCount(unsigned id) const
    {
        int n = 0;
        for (const auto& p : played)
            n += p.first == id;
        return n;
    }
};

} // namespace zplat
