#include "SoundManager.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

#include <wx/file.h>
#include <wx/log.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "RegularFile.h"
#include "SystemPaths.h"
#include "ZynLog.h"
#include "zplat/Sound.h"

bool SoundEnabledFlag = true;

namespace {

const unsigned kSoundCount = SOUND_UNUSED + 1;

// The file of every loaded sound by SoundType, absolute; empty for a sound that
// is not loaded (sound 7 never is).
wxString SoundObjects[kSoundCount];

// Sound 4 is the same file as sound 2, loaded on its own.
const char* const kSoundFiles[SOUND_UNUSED] = {
    "Sounds/welcome.wav", "Sounds/open.wav", "Sounds/menu.wav", "Sounds/press.wav",
    "Sounds/menu.wav",    "Sounds/msg.wav",  "Sounds/alert.wav",
};

uint32_t Le16(const unsigned char* p) { return p[0] | p[1] << 8; }
uint32_t Le32(const unsigned char* p) { return Le16(p) | Le16(p + 2) << 16; }

// True when path is a RIFF WAVE file of 8- or 16-bit PCM holding sound data,
// which is what the desktop's sound service plays; else the reason in why.
bool IsPlayableWave(const wxString& path, wxString& why)
{
    wxFile file;
    if (!RegularFile::Open(path, file)) {
        why = "it cannot be opened";
        return false;
    }
    unsigned char head[12];
    if (file.Read(head, sizeof head) != sizeof head || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0) {
        why = "it is not a WAV file";
        return false;
    }
    bool pcm = false;
    unsigned char chunk[8];
    while (file.Read(chunk, sizeof chunk) == sizeof chunk) {
        const uint32_t size = Le32(chunk + 4);
        const wxFileOffset body = file.Tell();
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char format[16];
            if (size < sizeof format || file.Read(format, sizeof format) != sizeof format) {
                why = "its format is cut short";
                return false;
            }
            const uint32_t bits = Le16(format + 14);
            pcm = Le16(format) == 1 && Le16(format + 2) > 0 && Le32(format + 4) > 0 && (bits == 8 || bits == 16);
            if (!pcm) {
                why = "it is not 8- or 16-bit PCM";
                return false;
            }
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!pcm)
                break;
            if (size == 0 || file.Length() <= body) {
                why = "it holds no sound";
                return false;
            }
            return true;
        }
        // Chunks are padded to an even length.
        if (file.Seek(body + size + (size & 1)) == wxInvalidOffset)
            break;
    }
    why = pcm ? "it holds no sound" : "it has no format";
    return false;
}

} // namespace

namespace SoundManager {

bool Initial()
{
    ZLOG_INFO("Initializing SoundManager...");
    EnterAppDir();
    bool all = true;
    for (unsigned type = 0; type < kSoundCount; ++type) {
        SoundObjects[type].clear();
        if (type == SOUND_UNUSED)
            continue;
        const wxString path = AppPath(kSoundFiles[type]);
        wxString why;
        if (IsPlayableWave(path, why)) {
            SoundObjects[type] = path;
        } else {
            // Not the user's concern at start: that sound stays silent.
            ZLOG_INFO("Sound %u \"%s\" is not loaded: %s.", type, kSoundFiles[type], why);
            all = false;
        }
    }
    if (!all)
        return false;
    ZLOG_INFO("SoundManager is ready.");
    return true;
}

void LoadSettings()
{
    SoundEnabledFlag = GetConfig(cfg::Core)->ReadBool(cfg::Sound, cfg::Enable, true);
}

bool Play(unsigned type)
{
    if (!SoundEnabledFlag || type >= kSoundCount || SoundObjects[type].empty())
        return false;
    zplat::SoundPlayer& player = zplat::GetSoundPlayer();
    std::string error;
    const bool played = player.Play(type, SoundObjects[type].utf8_string(), error);
    // The sound library's own words and every failure go to the verbose log once:
    // the same cause comes back at every sound.
    static std::set<std::string> told;
    for (const std::string& message : player.TakeMessages())
        if (told.insert(message).second)
            ZLOG_INFO("The sound library says: %s", wxString::FromUTF8(message));
    if (!played && told.insert(error).second)
        ZLOG_INFO("Sound %u cannot be played: %s.", type, wxString::FromUTF8(error));
    return played;
}

} // namespace SoundManager
