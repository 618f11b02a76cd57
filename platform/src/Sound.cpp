#include "zplat/Sound.h"

#include <alsa/asoundlib.h>
#include <canberra.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "Backend.h"

namespace zplat {
namespace {

// ALSA prints every failure on standard error, eight lines per sound on a system
// without a sound device; they are kept here for the caller's log instead.
std::mutex AlsaMutex;
std::vector<std::string> AlsaMessages;

void KeepAlsaMessage(const char* file, int line, const char* function, int err, const char* fmt, ...)
{
    char text[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    std::string message = std::string(file ? file : "") + ":" + std::to_string(line) + ":(" + (function ? function : "") +
                          ") " + text;
    if (err)
        message += std::string(": ") + std::strerror(err < 0 ? -err : err);
    std::lock_guard<std::mutex> lock(AlsaMutex);
    AlsaMessages.push_back(std::move(message));
}

std::vector<std::string> TakeAlsaMessages()
{
    std::lock_guard<std::mutex> lock(AlsaMutex);
    return std::move(AlsaMessages);
}

// One canberra context for the process, opened on first use, so a sound service
// that appears later is still found. Canberra plays each sound on a thread of
// its own and answers at once.
class CanberraPlayer : public SoundPlayer {
public:
    // Before the first context: canberra's ALSA driver shares the process's ALSA library.
    CanberraPlayer() { snd_lib_error_set_handler(&KeepAlsaMessage); }

    ~CanberraPlayer() override
    {
        if (context)
            ca_context_destroy(context);
    }

    bool Play(unsigned id, const std::string& path, std::string& error) override
    {
        if (noDevice) {
            error = "there is no sound device";
            return false;
        }
        if (!Open(error))
            return false;
        const size_t before = PendingAlsaMessages();
        const int rc = ca_context_play(context, id, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
        if (rc != CA_SUCCESS) {
            error = ca_strerror(rc);
            // The device would not open: ALSA said why while canberra tried it.
            noDevice = PendingAlsaMessages() > before;
            return false;
        }
        return true;
    }

    std::vector<std::string> TakeMessages() override { return TakeAlsaMessages(); }

private:
    bool Open(std::string& error)
    {
        if (context)
            return true;
        int rc = ca_context_create(&context);
        if (rc == CA_SUCCESS) {
            ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Zyn Utils",
                                    CA_PROP_APPLICATION_ID, "zyn-utils", nullptr);
            rc = ca_context_open(context);
        }
        if (rc != CA_SUCCESS) {
            error = ca_strerror(rc);
            if (context)
                ca_context_destroy(context);
            context = nullptr;
            return false;
        }
        return true;
    }

    static size_t PendingAlsaMessages()
    {
        std::lock_guard<std::mutex> lock(AlsaMutex);
        return AlsaMessages.size();
    }

    ca_context* context = nullptr;
    bool noDevice = false;
};

using Slot = Backend<SoundPlayer, CanberraPlayer>;

} // namespace

SoundPlayer& GetSoundPlayer() { return Slot::Get(); }
void SetSoundPlayer(std::unique_ptr<SoundPlayer> player) { Slot::Set(std::move(player)); }

} // namespace zplat
