#include "zplat/Sound.h"

#include <canberra.h>

#include "Backend.h"

namespace zplat {
namespace {

// One canberra context for the process, opened on first use, so a sound service
// that appears later is still found. Canberra plays each sound on a thread of
// its own and answers at once.
class CanberraPlayer : public SoundPlayer {
public:
    ~CanberraPlayer() override
    {
        if (context)
            ca_context_destroy(context);
    }

    bool Play(unsigned id, const std::string& path, std::string& error) override
    {
        if (!Open(error))
            return false;
        const int rc = ca_context_play(context, id, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
        if (rc != CA_SUCCESS) {
            error = ca_strerror(rc);
            return false;
        }
        return true;
    }

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

    ca_context* context = nullptr;
};

using Slot = Backend<SoundPlayer, CanberraPlayer>;

} // namespace

SoundPlayer& GetSoundPlayer() { return Slot::Get(); }
void SetSoundPlayer(std::unique_ptr<SoundPlayer> player) { Slot::Set(std::move(player)); }

} // namespace zplat
