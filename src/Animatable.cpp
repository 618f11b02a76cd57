#include "Animatable.h"

AnimationFrame::AnimationFrame() : px(&x), py(&y), pw(&width), ph(&height), palpha(&alpha) {}

AnimationFrame::AnimationFrame(const AnimationFrame& other)
    : px(&x), py(&y), pw(&width), ph(&height), palpha(&alpha), x(other.x), y(other.y), width(other.width),
      height(other.height), alpha(other.alpha), flags(other.flags)
{
}

AnimationFrame& AnimationFrame::operator=(const AnimationFrame& other)
{
    x = other.x;
    y = other.y;
    width = other.width;
    height = other.height;
    alpha = other.alpha;
    flags = other.flags;
    px = &x;
    py = &y;
    pw = &width;
    ph = &height;
    palpha = &alpha;
    return *this;
}
