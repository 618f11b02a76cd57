#include "zplat/Input.h"

#include <algorithm>

namespace zplat {

bool FakeInput::GrabKey(int id, unsigned modifiers, uint32_t keysym, std::string& error)
{
    UngrabKey(id);
    if (keysym == 0) {
        error = "the key has no keycode";
        return false;
    }
    if (std::find(heldByOthers.begin(), heldByOthers.end(), keysym) != heldByOthers.end()) {
        error = "another program holds it";
        return false;
    }
    grabs.emplace_back(id, Grab{modifiers, keysym});
    return true;
}

void FakeInput::UngrabKey(int id)
{
    grabs.erase(std::remove_if(grabs.begin(), grabs.end(), [id](const auto& g) { return g.first == id; }), grabs.end());
}

const FakeInput::Grab* FakeInput::Grabbed(int id) const
{
    for (const auto& g : grabs)
        if (g.first == id)
            return &g.second;
    return nullptr;
}

bool FakeInput::PressKey(int id)
{
    if (!Grabbed(id) || !keyHandler)
        return false;
    keyHandler(id);
    return true;
}

bool FakeInput::Play(PointerButton button, int y)
{
    if (!pointerHandler)
        return false;
    pointerHandler(PointerEvent{button, 0, y});
    return true;
}

} // namespace zplat
