// The animator: moves a list of Animatable targets from their present frames
// to one end frame over AnimationDuration, with an easing, an optional
// stagger, reverse order, lock and anchor. Integer arithmetic only; time comes
// from the platform clock, so tests drive it by hand.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/timer.h>

#include "Animatable.h"

enum EffectBit : uint32_t {
    EFFECT_HALF = 0x01,
    EFFECT_LINEAR = 0x04,
    EFFECT_EASE_OUT = 0x08,
    EFFECT_EASE_IN = 0x10,
    EFFECT_CURVE = 0x1E,
    EFFECT_STAGGER = 0x40,
    EFFECT_REVERSE = 0x80,
    EFFECT_LOCK = 0x100,
};

// Milliseconds of one animation; set by LoadAnimateSpeed, read by every Start.
extern int32_t AnimationDuration;
// Appearance/AnimateSpeed of "Core": -1 gives 125 ms, 1 gives 500 ms, anything else 250 ms.
void LoadAnimateSpeed();

// The interval of the animation timer: about one display frame.
inline constexpr int AnimationTickMs = 15;

class WinFX : public wxTimer {
public:
    WinFX();
    explicit WinFX(Animatable* target);
    ~WinFX() override;

    // Starts or restarts; false without targets or when a locked run refuses.
    virtual bool Start();
    void Notify() override;
    // Stops a running animation and calls every target's OnAnimationEnd.
    void Stop() override;
    // Brings every target of a running animation to its end frame at once, then stops.
    void Finish();

    // Takes the end values and flags, unless a locked run refuses the present effect.
    void SetFrame(const AnimationFrame& frame);
    // False while a locked run goes on and the effect is not locked itself.
    bool Accepts(uint32_t newEffect) const;

    // List operations (positions 1-based); all but ClearTargets refuse while running.
    bool AddTarget(Animatable* target);
    bool InsertTarget(Animatable* target, const unsigned& index);
    bool SwapTargets(const unsigned& i, const unsigned& j);
    bool SetTarget(Animatable* target);
    bool RemoveTarget(Animatable* target);
    void ClearTargets();

    std::vector<Animatable*> targets;
    std::vector<AnimationFrame> startFrames;
    std::vector<AnimationFrame> endFrames;
    Animatable* anchor = nullptr;
    AnimationFrame current;
    AnimationFrame target;
    AnimationFrame delta;
    uint32_t effect = 0;
    bool locked = false;
    int32_t duration;
    int32_t targetDuration;
    int32_t staggerStep = 0;
    int32_t durationSquared = 0;
    uint32_t startTick = 0;

private:
    void AnchorOffset(int32_t& ax, int32_t& ay) const;
    // Sets current to target i's end frame.
    void EndState(size_t i, int32_t ax, int32_t ay);
};
