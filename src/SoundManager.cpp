// Placeholder until the event sounds land.
#include "SoundManager.h"

bool SoundEnabledFlag = true;

namespace SoundManager {
bool Initial() { return false; }
void LoadSettings() {}
bool Play(unsigned) { return false; }
} // namespace SoundManager
