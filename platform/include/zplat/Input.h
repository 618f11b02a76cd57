// Global input: a hot key grabbed for the whole display, the pointer's buttons
// watched wherever they are pressed, and an injected left-button release.
// Handlers run on the GUI thread, from the toolkit's event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zplat {

// Modifier bits of a hot key (the toolkit's encoding).
enum KeyModifier : unsigned { KEY_MOD_ALT = 1, KEY_MOD_CONTROL = 2, KEY_MOD_SHIFT = 4, KEY_MOD_SUPER = 8 };

// The X keysym of the key that types character c without Shift on a US layout
// ('A' and 'a' both name the A key, '`' the grave key); 0 when no key does.
uint32_t KeysymForCharacter(char c);

enum class PointerButton { LeftDown, LeftUp, RightDown, RightUp };

struct PointerEvent {
    PointerButton button;
    int x;
    int y; // the cursor when the event was read, screen coordinates
};

class Input {
public:
    virtual ~Input() = default;

    // Whether the display offers what the watch and the injection need.
    virtual bool Available() = 0;

    // Grabs modifiers + keysym on the root window, whatever the lock keys (Caps Lock,
    // Num Lock, Scroll Lock) are; a grab of the same id is replaced. False with the
    // reason in error when the key has no keycode or another client holds it.
    virtual bool GrabKey(int id, unsigned modifiers, uint32_t keysym, std::string& error) = 0;
    virtual void UngrabKey(int id) = 0;
    // Called with the id of a grabbed key on each press.
    virtual void SetKeyHandler(std::function<void(int id)> handler) = 0;

    // Starts watching the left and right buttons of the pointer wherever they are
    // pressed; an empty handler stops. Observation only: the events still reach
    // the windows they are meant for.
    virtual bool WatchPointer(std::function<void(const PointerEvent&)> handler) = 0;

    // Injects a left-button release, as if the user had let go of the button.
    virtual bool InjectLeftRelease() = 0;
};

// The input in use: the X11 one unless a test installed another.
Input& GetInput();
// Installs input (owned); nullptr restores the X11 input.
void SetInput(std::unique_ptr<Input> input);

// An input that records what it is asked and lets tests play events.
class FakeInput : public Input {
public:
    struct Grab {
        unsigned modifiers;
        uint32_t keysym;
    };

    bool available = true;
    std::vector<uint32_t> heldByOthers; // keysyms another client holds
    std::vector<std::pair<int, Grab>> grabs;
    std::function<void(int)> keyHandler;
    std::function<void(const PointerEvent&)> pointerHandler;
    int injectedReleases = 0;

    bool Available() override { return available; }
    bool GrabKey(int id, unsigned modifiers, uint32_t keysym, std::string& error) override;
    void UngrabKey(int id) override;
    void SetKeyHandler(std::function<void(int)> handler) override { keyHandler = std::move(handler); }
    bool WatchPointer(std::function<void(const PointerEvent&)> handler) override
    {
        pointerHandler = std::move(handler);
        return true;
    }
    bool InjectLeftRelease() override
    {
        ++injectedReleases;
        return true;
    }

    const Grab* Grabbed(int id) const;
    // Plays a press of the grabbed key id; false when it is not grabbed.
    bool PressKey(int id);
    // Plays a pointer event; false when nothing watches.
    bool Play(PointerButton button, int y);
};

} // namespace zplat
