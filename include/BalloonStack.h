// The stack of message balloons: every balloon that exists, the oldest first
// and the newest (the top) last. Only the top balloon is live (full strength,
// counting down, taking clicks); every other one is dimmed. The stack does not
// own the balloons: each one leaves it when it hides or is destroyed.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

// Balloon needs SetDimmed(bool). Dimming may hide a balloon at once (one that
// has not drawn its first step yet), which takes it out of the stack.
template <class Balloon>
class BalloonStack {
public:
    // Dims the top before a new balloon goes on and returns the balloon the
    // new one stands on (nullptr when none is left). A balloon that left while
    // it was dimmed gave the top back to the one below it, so that one is
    // dimmed too: one live balloon at a time.
    Balloon* DimTop()
    {
        while (!items.empty()) {
            Balloon* top = items.back();
            top->SetDimmed(true);
            if (!items.empty() && items.back() == top)
                return top;
        }
        return nullptr;
    }

    void Push(Balloon* balloon) { items.push_back(balloon); }

    // Takes balloon out wherever it stands; when it was the top, the one below
    // becomes live again. False when it was not in the stack.
    bool Remove(Balloon* balloon)
    {
        const auto it = std::find(items.begin(), items.end(), balloon);
        if (it == items.end())
            return false;
        const bool wasTop = it + 1 == items.end();
        items.erase(it);
        if (wasTop && !items.empty())
            items.back()->SetDimmed(false);
        return true;
    }

    bool Contains(const Balloon* balloon) const { return std::find(items.begin(), items.end(), balloon) != items.end(); }
    Balloon* Top() const { return items.empty() ? nullptr : items.back(); }
    size_t Size() const { return items.size(); }
    bool Empty() const { return items.empty(); }

    std::vector<Balloon*> items;
};
