#include "ObjectDC.h"

#include <wx/window.h>

#include "Picture.h"
#include "ZynLog.h"

const wxPoint ZeroPoint(0, 0);
const wxSize ZeroSize(0, 0);

ObjectDC::ObjectDC(wxWindow* window)
{
    if (!window) {
        ZLOG_ERROR("Invalid Window.");
        return;
    }
    hwnd = window;
    prepared = zplat::GetWindowService().Prepare(hwnd->GetHandle(), zplat::WindowKind::Tool);
}

ObjectDC::~ObjectDC()
{
    if (IsOk())
        zplat::GetWindowService().Forget(hwnd->GetHandle());
}

bool ObjectDC::Update(const Picture& picture, bool move)
{
    if (!picture.IsOk())
        return false;
    const zplat::PixelView view = picture.View();
    zplat::WindowPush push;
    push.picture = &view;
    return Push(push, move);
}

bool ObjectDC::UpdateSolid(uint32_t colour, bool move)
{
    zplat::WindowPush push;
    push.solid = true;
    push.colour = colour;
    return Push(push, move);
}

bool ObjectDC::Push(zplat::WindowPush& push, bool move)
{
    if (!IsOk() || size.x <= 0 || size.y <= 0)
        return false;
    push.rect = {pos.x, pos.y, size.x, size.y};
    push.move = move;
    push.alpha = blend.SourceConstantAlpha;
    if (!zplat::GetWindowService().Push(hwnd->GetHandle(), push))
        return false;
    pushed = true;
    SyncToolkit(move);
    return true;
}

bool ObjectDC::UpdateAlpha()
{
    if (!IsOk() || !pushed)
        return false;
    zplat::WindowPush push;
    const wxRect rect = hwnd->GetRect();
    push.rect = {rect.x, rect.y, rect.width, rect.height};
    push.alpha = blend.SourceConstantAlpha;
    return zplat::GetWindowService().Push(hwnd->GetHandle(), push);
}

// The toolkit learns the geometry the push gave the window, so that its
// position and size read back at once. A coordinate of -1 is a place like any
// other here, not "keep the present one".
void ObjectDC::SyncToolkit(bool move)
{
    if (move)
        hwnd->SetSize(pos.x, pos.y, size.x, size.y, wxSIZE_ALLOW_MINUS_ONE);
    else
        hwnd->SetSize(size);
}

void ObjectDC::SetKind(zplat::WindowKind kind)
{
    if (hwnd)
        zplat::GetWindowService().SetKind(hwnd->GetHandle(), kind);
}

bool ObjectDC::SetOwner(wxWindow* owner)
{
    return hwnd && zplat::GetWindowService().SetOwner(hwnd->GetHandle(), owner ? owner->GetHandle() : nullptr);
}

void ObjectDC::Raise()
{
    if (hwnd)
        zplat::GetWindowService().Raise(hwnd->GetHandle());
}

void ObjectDC::Ready()
{
    if (IsOk() && pushed && !hwnd->IsShown())
        zplat::GetWindowService().Ready(hwnd->GetHandle());
}
