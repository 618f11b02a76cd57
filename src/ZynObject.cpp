#include "ZynObject.h"

#include <wx/event.h>
#include <wx/frame.h>
#include <wx/utils.h>

#include "Picture.h"
#include "ZynLog.h"

namespace {

long ObjectStyle(const wxWindow* parent)
{
    // Floating on a parent needs a parent; the window service keeps owned
    // windows above their owners either way.
    return parent ? wxBORDER_NONE | wxFRAME_FLOAT_ON_PARENT : wxBORDER_NONE;
}

const wxPoint BasePoint(0, 0);

} // namespace

ZynObject::ZynObject(wxWindow* parent, const wxString& title, const wxPoint& pos, const wxSize& size)
    : wxTopLevelWindow(parent, wxNewId(), title, pos, size, ObjectStyle(parent)), objectDC(this)
{
    if (!objectDC.IsOk())
        ZLOG_ERROR("Cannot Create Window DC.");
    frame.x = pos.x;
    frame.y = pos.y;
    frame.width = size.x;
    frame.height = size.y;
    frame.alpha = 255;
    frame.flags = FRAME_ALL;
}

ZynObject::~ZynObject() = default;

bool ZynObject::SetOwner(ZynObject* owner)
{
    return objectDC.SetOwner(owner);
}

const wxPoint& ZynObject::GetMargin() const { return BasePoint; }
const wxPoint& ZynObject::GetOffset() const { return BasePoint; }

AnimationFrame* ZynObject::GetFrame()
{
    DoGetPosition(&frame.x, &frame.y);
    frame.flags |= FRAME_POSITION;
    return &frame;
}

void ZynObject::ApplyFrame(AnimationFrame& f)
{
    if (f.flags & FRAME_POSITION) {
        frame.x = *f.px;
        frame.y = *f.py;
        frame.flags |= FRAME_POSITION;
        Move(frame.x, frame.y); // -1 included: an animation passes through it
    }
    if (f.flags & FRAME_SIZE) {
        frame.width = *f.pw;
        frame.height = *f.ph;
        frame.flags |= FRAME_SIZE;
        DoSetSize(-1, -1, frame.width, frame.height, 0);
    }
}

void ZynObject::OnAnimationStart() {}

void ZynObject::OnAnimationEnd()
{
    if (frame.alpha == 0)
        wxTopLevelWindow::Show(false);
}

void ZynObject::Move(int x, int y)
{
    const wxSize size = GetSize();
    DoSetSize(x, y, size.x, size.y, wxSIZE_ALLOW_MINUS_ONE);
}

void ZynObject::Raise()
{
    objectDC.Raise();
}

bool ZynObject::AcceptsFocus() const
{
    return !refusesFocus && wxTopLevelWindow::AcceptsFocus();
}

void ZynObject::DoSetSize(int x, int y, int width, int height, int sizeFlags)
{
    wxTopLevelWindow::DoSetSize(x, y, width, height, sizeFlags);
    const wxRect rect = GetRect();
    zplat::GetWindowService().SetGeometry(GetHandle(), {rect.x, rect.y, rect.width, rect.height});
}

void TakeDoubleClicksAsPresses(wxWindow* window)
{
    window->Bind(wxEVT_LEFT_DCLICK, [window](wxMouseEvent& event) {
        wxMouseEvent press(event);
        press.SetEventType(wxEVT_LEFT_DOWN);
        window->HandleWindowEvent(press);
    });
}

EmptyObject::EmptyObject(wxWindow* parent) : ZynObject(parent, wxEmptyString, wxPoint(0, 0), wxSize(0, 0)) {}

EmptyObject::~EmptyObject() = default;

StaticObject::StaticObject(wxWindow* parent, const wxString& name, const wxPoint& pos, const Picture& bitmap)
    : ZynObject(parent, name, wxDefaultPosition, wxDefaultSize)
{
    SetName(name);
    if (bitmap.IsOk()) {
        objectDC.pos = pos;
        objectDC.size = bitmap.GetSize();
        objectDC.Update(bitmap, true);
    }
}

StaticObject::~StaticObject() = default;

void StaticObject::SetBitmap(const wxString& name, const Picture& bitmap)
{
    const wxPoint here = GetPosition();
    SetName(name);
    if (bitmap.IsOk()) {
        objectDC.pos = here;
        objectDC.size = bitmap.GetSize();
        objectDC.Update(bitmap, true);
    }
}
