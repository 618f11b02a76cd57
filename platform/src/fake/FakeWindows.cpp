#include "zplat/Windows.h"

#include <algorithm>

namespace zplat {

FakeWindowService::Record* FakeWindowService::Get(void* handle)
{
    for (auto& [h, record] : windows)
        if (h == handle)
            return &record;
    return nullptr;
}

const FakeWindowService::Record* FakeWindowService::Find(void* handle) const
{
    return const_cast<FakeWindowService*>(this)->Get(handle);
}

bool FakeWindowService::Prepare(void* handle, WindowKind kind)
{
    if (refuses || !handle || Get(handle))
        return false;
    windows.emplace_back(handle, Record{});
    windows.back().second.kind = kind;
    return true;
}

void FakeWindowService::SetKind(void* handle, WindowKind kind)
{
    if (Record* r = Get(handle))
        r->kind = kind;
}

void FakeWindowService::Forget(void* handle)
{
    windows.erase(std::remove_if(windows.begin(), windows.end(), [handle](const auto& w) { return w.first == handle; }),
                  windows.end());
    for (auto& w : windows)
        if (w.second.owner == handle)
            w.second.owner = nullptr;
}

bool FakeWindowService::Push(void* handle, const WindowPush& push)
{
    Record* r = Get(handle);
    if (!r || push.rect.width <= 0 || push.rect.height <= 0)
        return false;
    if (!push.solid && push.picture && (push.picture->width < push.rect.width || push.picture->height < push.rect.height))
        return false;
    ++r->pushes;
    r->alpha = push.alpha;
    if (push.move) {
        r->rect = push.rect;
    } else {
        r->rect.width = push.rect.width;
        r->rect.height = push.rect.height;
    }
    if (push.solid) {
        ++r->contentPushes;
        r->content.assign(static_cast<size_t>(push.rect.width) * push.rect.height, push.colour);
    } else if (push.picture) {
        ++r->contentPushes;
        r->content.clear();
        for (int y = 0; y < push.rect.height; ++y) {
            const uint32_t* row = push.picture->pixels + static_cast<size_t>(y) * push.picture->stride;
            r->content.insert(r->content.end(), row, row + push.rect.width);
        }
    }
    return true;
}

void FakeWindowService::SetGeometry(void* handle, const WindowRect& rect)
{
    if (Record* r = Get(handle))
        r->rect = rect;
}

void FakeWindowService::Ready(void* handle)
{
    if (Record* r = Get(handle))
        ++r->readies;
}

bool FakeWindowService::SetOwner(void* handle, void* owner)
{
    Record* r = Get(handle);
    if (!r || owner == handle)
        return false;
    r->owner = owner;
    return true;
}

void FakeWindowService::Raise(void* handle)
{
    if (Record* r = Get(handle))
        ++r->raises;
}

void FakeWindowService::Lower(void* handle)
{
    if (Record* r = Get(handle))
        ++r->lowers;
}

} // namespace zplat
