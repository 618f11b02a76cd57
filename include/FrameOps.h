// The few things every animated launcher window does with animation frames:
// record where it is placed, take the flagged values of an incoming frame,
// and hand an end frame to an animator.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>

#include "Animatable.h"
#include "WinFX.h"

// The alpha value that means "keep the present alpha".
inline constexpr int KeepAlpha = 0xFFFFFF;

// Records pos (and alpha, unless KeepAlpha) in the frame with their flags.
inline void RecordPlace(AnimationFrame& frame, const wxPoint& pos, int alpha)
{
    frame.x = pos.x;
    frame.y = pos.y;
    frame.flags |= FRAME_POSITION;
    if (alpha != KeepAlpha) {
        frame.alpha = alpha;
        frame.flags |= FRAME_ALPHA;
    }
}

inline void RecordSize(AnimationFrame& frame, const wxSize& size)
{
    frame.width = size.x;
    frame.height = size.y;
    frame.flags |= FRAME_SIZE;
}

// Copies the values that in flags and mask select into frame, adding their flags; returns them.
inline uint32_t TakeFlagged(AnimationFrame& frame, const AnimationFrame& in, uint32_t mask)
{
    const uint32_t flags = in.flags & mask;
    if (flags & FRAME_X)
        frame.x = in.x;
    if (flags & FRAME_Y)
        frame.y = in.y;
    if (flags & FRAME_WIDTH)
        frame.width = in.width;
    if (flags & FRAME_HEIGHT)
        frame.height = in.height;
    if (flags & FRAME_ALPHA)
        frame.alpha = in.alpha;
    frame.flags |= flags;
    return flags;
}

// The effect, then the end frame, then the start: the order every caller of an animator keeps.
// A refused start leaves the effect alone: the locked run reads it on every tick.
inline bool Animate(WinFX& animator, uint32_t effect, const AnimationFrame& end)
{
    if (!animator.Accepts(effect))
        return false;
    animator.effect = effect;
    animator.SetFrame(end);
    return animator.Start();
}
