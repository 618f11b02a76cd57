// Event sounds: short WAV files played on a few interface events.
#pragma once

enum SoundType : unsigned {
    SOUND_WELCOME = 0,
    SOUND_LAUNCHER_SHOW = 1,
    SOUND_LAUNCHER_HIDE = 2,
    SOUND_PRESS = 3,
    SOUND_LIST_OPEN = 4,
    SOUND_MESSAGE = 5,
    SOUND_ALERT = 6,
    SOUND_UNUSED = 7,
};

namespace SoundManager {
// Loads sounds 0 to 6; false when any of them failed.
bool Initial();
// Applies Sound/Enable of "Core".
void LoadSettings();
// False when sounds are off, type is above 7, or the sound could not be started.
bool Play(unsigned type);
} // namespace SoundManager

extern bool SoundEnabledFlag;
