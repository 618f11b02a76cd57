#include "WinFX.h"

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "zplat/Clock.h"

int32_t AnimationDuration = 250;

void LoadAnimateSpeed()
{
    const long speed = GetConfig(cfg::Core)->ReadLong(cfg::Appearance, cfg::AnimateSpeed, 0);
    AnimationDuration = speed == -1 ? 125 : speed == 1 ? 500 : 250;
}

namespace {

// Eased values are formed in 64 bits and truncated as the 32-bit formula would,
// so large moves cannot overflow the product.
int32_t Ease(uint32_t curve, int32_t s, int32_t d, int32_t t, int32_t total, int32_t squared)
{
    const int64_t delta = d;
    switch (curve) {
    case EFFECT_LINEAR:
        return static_cast<int32_t>(s + delta * t / total);
    case EFFECT_EASE_OUT:
        return static_cast<int32_t>(s + delta - delta * (total - t) * (total - t) / squared);
    default: // EFFECT_EASE_IN
        return static_cast<int32_t>(s + delta * t * t / squared);
    }
}

} // namespace

WinFX::WinFX() : duration(AnimationDuration), targetDuration(AnimationDuration) {}

WinFX::WinFX(Animatable* first) : WinFX()
{
    AddTarget(first);
}

WinFX::~WinFX() = default;

bool WinFX::Start()
{
    if (targets.empty() || !Accepts(effect))
        return false;
    locked = (effect & EFFECT_LOCK) != 0;
    duration = (effect & EFFECT_HALF) ? AnimationDuration / 2 : AnimationDuration;
    const int32_t count = static_cast<int32_t>(targets.size());
    if (effect & EFFECT_STAGGER) {
        staggerStep = duration / (count + 2);
        targetDuration = 3 * staggerStep;
    } else {
        staggerStep = 0;
        targetDuration = duration;
    }
    durationSquared = targetDuration * targetDuration;

    int32_t ax = 0, ay = 0;
    if (anchor) {
        const AnimationFrame* a = anchor->GetFrame();
        ax = *a->px;
        ay = *a->py;
    }
    for (size_t i = 0; i < targets.size(); ++i) {
        targets[i]->OnAnimationStart();
        AnimationFrame& start = startFrames[i];
        start = *targets[i]->GetFrame();
        start.x -= ax;
        start.y -= ay;
        start.flags |= FRAME_POSITION;
        AnimationFrame& end = endFrames[i];
        end = target;
        end.x = target.x + start.x - startFrames[0].x;
        end.y = target.y + start.y - startFrames[0].y;
        end.flags |= FRAME_POSITION;
    }
    const AnimationFrame& first = startFrames[0];
    delta.x = target.x - first.x;
    delta.y = target.y - first.y;
    delta.width = target.width - first.width;
    delta.height = target.height - first.height;
    delta.alpha = target.alpha - first.alpha;
    delta.flags = target.flags | first.flags;
    startTick = zplat::TickCount();
    // An explicit interval: a fresh timer started with -1 runs with interval 0 (a busy loop on GTK).
    return wxTimer::Start(AnimationTickMs, wxTIMER_CONTINUOUS);
}

void WinFX::AnchorOffset(int32_t& ax, int32_t& ay) const
{
    ax = ay = 0;
    if (anchor) {
        const AnimationFrame* a = anchor->GetFrame();
        ax = *a->px;
        ay = *a->py;
    }
}

void WinFX::EndState(size_t i, int32_t ax, int32_t ay)
{
    current.width = target.width;
    current.height = target.height;
    current.alpha = target.alpha;
    current.flags = target.flags;
    if (current.flags & FRAME_X)
        current.x = endFrames[i].x + ax;
    if (current.flags & FRAME_Y)
        current.y = endFrames[i].y + ay;
}

void WinFX::Finish()
{
    if (!IsRunning())
        return;
    int32_t ax, ay;
    AnchorOffset(ax, ay);
    for (size_t i = 0; i < targets.size(); ++i) {
        EndState(i, ax, ay);
        targets[i]->ApplyFrame(current);
    }
    Stop();
}

void WinFX::Notify()
{
    const int32_t elapsed = static_cast<int32_t>(zplat::TickCount() - startTick);
    if (elapsed >= duration) {
        Finish();
        return;
    }
    int32_t ax, ay;
    AnchorOffset(ax, ay);

    const uint32_t curve = effect & EFFECT_CURVE;
    const bool eased = curve == EFFECT_LINEAR || curve == EFFECT_EASE_OUT || curve == EFFECT_EASE_IN;
    const size_t count = targets.size();
    int32_t t = elapsed;
    for (size_t k = 0; k < count; ++k, t -= staggerStep) {
        const size_t i = (effect & EFFECT_REVERSE) ? count - 1 - k : k;
        if (t < 0)
            return;
        // A target duration of 0 (more stagger steps than milliseconds) ends at once.
        if (t > targetDuration || !eased || targetDuration == 0) {
            EndState(i, ax, ay);
        } else {
            const AnimationFrame& s = startFrames[i];
            const int32_t T = targetDuration, D = durationSquared;
            const uint32_t flags = target.flags;
            if (flags & FRAME_X)
                current.x = Ease(curve, s.x + ax, delta.x, t, T, D);
            if (flags & FRAME_Y)
                current.y = Ease(curve, s.y + ay, delta.y, t, T, D);
            if (flags & FRAME_WIDTH)
                current.width = Ease(curve, s.width, delta.width, t, T, D);
            if (flags & FRAME_HEIGHT)
                current.height = Ease(curve, s.height, delta.height, t, T, D);
            if (flags & FRAME_ALPHA)
                current.alpha = Ease(curve, s.alpha, delta.alpha, t, T, D);
            current.flags = flags;
        }
        targets[i]->ApplyFrame(current);
    }
}

void WinFX::Stop()
{
    if (!IsRunning())
        return;
    wxTimer::Stop();
    // A target's end hook may change the list (a menu dropping its items).
    for (size_t i = 0; i < targets.size(); ++i)
        targets[i]->OnAnimationEnd();
}

void WinFX::SetFrame(const AnimationFrame& frame)
{
    if (Accepts(effect))
        target = frame;
}

bool WinFX::Accepts(uint32_t newEffect) const { return !(IsRunning() && locked && !(newEffect & EFFECT_LOCK)); }

bool WinFX::AddTarget(Animatable* object)
{
    if (!object || IsRunning())
        return false;
    targets.push_back(object);
    startFrames.push_back(*object->GetFrame());
    endFrames.push_back(*object->GetFrame());
    return true;
}

bool WinFX::InsertTarget(Animatable* object, const unsigned& index)
{
    if (!object || IsRunning() || index == 0 || index > targets.size())
        return false;
    const AnimationFrame frame = *object->GetFrame();
    targets.insert(targets.begin() + (index - 1), object);
    startFrames.insert(startFrames.begin() + (index - 1), frame);
    endFrames.insert(endFrames.begin() + (index - 1), frame);
    return true;
}

bool WinFX::SwapTargets(const unsigned& i, const unsigned& j)
{
    const size_t n = targets.size();
    if (IsRunning() || i == 0 || j == 0 || i > n || j > n)
        return false;
    std::swap(targets[i - 1], targets[j - 1]);
    std::swap(startFrames[i - 1], startFrames[j - 1]);
    std::swap(endFrames[i - 1], endFrames[j - 1]);
    return true;
}

bool WinFX::SetTarget(Animatable* object)
{
    if (!object || IsRunning())
        return false;
    ClearTargets();
    return AddTarget(object);
}

bool WinFX::RemoveTarget(Animatable* object)
{
    if (IsRunning())
        return false;
    for (size_t i = 0; i < targets.size(); ++i) {
        if (targets[i] == object) {
            targets.erase(targets.begin() + i);
            startFrames.erase(startFrames.begin() + i);
            endFrames.erase(endFrames.begin() + i);
            return true;
        }
    }
    return false;
}

void WinFX::ClearTargets()
{
    targets.clear();
    startFrames.clear();
    endFrames.clear();
}
