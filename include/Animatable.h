// The property set an animator reads from and writes to a themed window:
// position, size and whole-window opacity, each marked by its own flag bit.
#pragma once

#include <cstdint>

enum FrameFlag : uint32_t {
    FRAME_X = 0x02,
    FRAME_Y = 0x04,
    FRAME_WIDTH = 0x08,
    FRAME_HEIGHT = 0x10,
    FRAME_ALPHA = 0x20,
    FRAME_POSITION = FRAME_X | FRAME_Y,
    FRAME_SIZE = FRAME_WIDTH | FRAME_HEIGHT,
    FRAME_ALL = 0x3E,
};

// The value pointers always point at this record's own values: every
// construction, copy and assignment re-points them, so a frame copied into a
// growing list never reads its source's values.
struct AnimationFrame {
    int32_t* px;
    int32_t* py;
    int32_t* pw;
    int32_t* ph;
    int32_t* palpha;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t alpha = 0;
    uint32_t flags = 0;

    AnimationFrame();
    AnimationFrame(const AnimationFrame& other);
    AnimationFrame& operator=(const AnimationFrame& other);
};

// Implemented by every animated object. Objects are never deleted through
// this interface, hence the protected non-virtual destructor.
class Animatable {
public:
    // The object's own frame (the base returns it unchanged).
    virtual AnimationFrame* GetFrame() { return &frame; }
    // Applies the flagged values of frame to the object.
    virtual void ApplyFrame(AnimationFrame& frame) = 0;
    // Called by the animator's Start before it reads the frame.
    virtual void OnAnimationStart() = 0;
    // Called by the animator's Stop when a running animation stops.
    virtual void OnAnimationEnd() = 0;

protected:
    Animatable() = default;
    ~Animatable() = default;

    AnimationFrame frame;
};
