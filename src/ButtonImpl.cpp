#include "ButtonImpl.h"

#include <wx/intl.h>
#include <wx/xml/xml.h>

#include "AlertObject.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "LauncherLayout.h"
#include "MenuImpl.h"
#include "MenuXml.h"
#include "SoundManager.h"
#include "TickTimer.h"
#include "ZynLog.h"
#include "ZynUtils.h"

TickTimer* PressTimer = nullptr;
int32_t PressInterval = 500;

wxBEGIN_EVENT_TABLE(ButtonImpl, ZynObject)
    EVT_ENTER_WINDOW(ButtonImpl::OnEnterWindow)
    EVT_LEAVE_WINDOW(ButtonImpl::OnLeaveWindow)
    EVT_LEFT_DOWN(ButtonImpl::OnLeftDown)
    EVT_LEFT_UP(ButtonImpl::OnLeftUp)
    EVT_MOTION(ButtonImpl::OnMotion)
    EVT_TIMER(wxID_ANY, ButtonImpl::OnTimer)
    EVT_MOUSE_CAPTURE_LOST(ButtonImpl::OnCaptureLost)
wxEND_EVENT_TABLE()

ButtonImpl::ButtonImpl(wxWindow* parent, const wxString& name, const wxPoint& pos)
    : ZynObject(parent, name, pos, wxDefaultSize), iconPaths(3), name(name)
{
    if (!PressTimer) {
        PressTimer = new TickTimer(nullptr);
        PressTimer->SetOwner(PressTimer); // no button holds it yet
    }
    SetLabel(name);
    TakeDoubleClicksAsPresses(this);
}

ButtonImpl::~ButtonImpl()
{
    ReleasePressTimer();
    if (HasCapture())
        ReleaseMouse();
    // The sub-menu's windows are children of this one: drop them while it still exists.
    DeleteMenu();
}

bool ButtonImpl::Destroy()
{
    ReleasePointer();
    ReleasePressTimer();
    return ZynObject::Destroy();
}

void ButtonImpl::ReleasePressTimer()
{
    if (PressTimer && PressTimer->GetOwner() == this) {
        PressTimer->Stop();
        PressTimer->SetOwner(PressTimer);
    }
}

void ButtonImpl::GrabPointer()
{
    if (!HasCapture())
        CaptureMouse();
}

void ButtonImpl::ReleasePointer()
{
    if (HasCapture())
        ReleaseMouse();
}

void ButtonImpl::SetName(const wxString& newName)
{
    if (&newName != &name)
        name = newName;
    SetLabel(name);
}

wxString ButtonImpl::GetName() const { return name; }

bool ButtonImpl::Show(bool show)
{
    if (show && !objectDC.HasPicture())
        PushFaceAt(GetPosition(), KeepAlpha);
    return ZynObject::Show(show);
}

void ButtonImpl::ComposeFace(int32_t) {}

wxSize ButtonImpl::FaceSize(int32_t itemState)
{
    const Picture* picture = FaceOf(itemState).GetPicture();
    return picture ? picture->GetSize() : wxSize(0, 0);
}

BitmapDC& ButtonImpl::FaceOf(int32_t itemState)
{
    ComposeFace(itemState);
    switch (itemState) {
    case ITEM_STATE_HOVER:
        return hoverFace;
    case ITEM_STATE_PRESSED:
        return pressFace;
    default:
        return normalFace;
    }
}

void ButtonImpl::PushFace(int32_t itemState)
{
    if (!objectDC.HasPicture())
        return; // never placed yet: the face is made and pushed when the item is placed
    const Picture* picture = FaceOf(itemState).GetPicture();
    if (picture && picture->IsOk())
        objectDC.Update(*picture, false);
}

void ButtonImpl::PushFaceAt(const wxPoint& pos, int alpha)
{
    const Picture* picture = FaceOf(state).GetPicture();
    if (!picture || !picture->IsOk())
        return;
    faceWidth = picture->GetWidth();
    faceHeight = picture->GetHeight();
    objectDC.size = picture->GetSize();
    objectDC.pos = pos;
    objectDC.SetAlpha(alpha);
    objectDC.Update(*picture, true);
}

void ButtonImpl::ApplyFrame(AnimationFrame& in)
{
    if (TakeFlagged(frame, in, FRAME_POSITION | FRAME_ALPHA) & FRAME_ALPHA)
        PushFaceAt(wxPoint(frame.x, frame.y), frame.alpha);
    else
        Move(frame.x, frame.y);
}

void ButtonImpl::ShowAt(const wxPoint& pos, const int& alpha)
{
    RecordPlace(frame, pos, alpha);
    PushFaceAt(pos, alpha);
}

void ButtonImpl::SetAlpha(const unsigned char& alpha)
{
    frame.alpha = alpha;
    frame.flags |= FRAME_ALPHA;
    PushFaceAt(GetPosition(), alpha);
}

void ButtonImpl::SetIcons(const wxVector<wxString>& paths) { iconPaths = paths; }

bool ButtonImpl::Edit() { return false; }

void ButtonImpl::ShowNormal()
{
    PushFace(ITEM_STATE_NORMAL);
    state = ITEM_STATE_NORMAL;
    editTarget = false;
    PressTimer->Stop();
}

bool ButtonImpl::IsActive() { return state == ITEM_STATE_PRESSED; }

void ButtonImpl::OnEnterWindow(wxMouseEvent&)
{
    PushFace(ITEM_STATE_HOVER);
    state = ITEM_STATE_HOVER;
}

void ButtonImpl::OnLeaveWindow(wxMouseEvent&)
{
    PushFace(ITEM_STATE_NORMAL);
    state = ITEM_STATE_NORMAL;
}

void ButtonImpl::OnLeftDown(wxMouseEvent&)
{
    PushFace(ITEM_STATE_PRESSED);
    state = ITEM_STATE_PRESSED;
    PressTimer->SetOwner(this);
    PressTimer->StartOnce(PressInterval);
    SoundManager::Play(SOUND_PRESS);
}

void ButtonImpl::OnLeftUp(wxMouseEvent&)
{
    PushFace(ITEM_STATE_HOVER);
    state = ITEM_STATE_HOVER;
    PressTimer->Stop();
}

void ButtonImpl::OnMotion(wxMouseEvent& event)
{
    if (event.Dragging())
        PressTimer->Stop();
}

void ButtonImpl::OnTimer(wxTimerEvent&) {}

void ButtonImpl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    PushFace(ITEM_STATE_NORMAL);
    state = ITEM_STATE_NORMAL;
    ReleasePressTimer();
}

void ButtonImpl::SetBitmaps(Picture& normal, Picture& hover, Picture& press, const bool& redraw)
{
    normalFace.SelectObject(normal);
    hoverFace.SelectObject(hover);
    pressFace.SelectObject(press);
    if (!redraw)
        return;
    // Items of a menu never opened own no X window and no image buffer: the
    // window takes its size for the menu's layout, and its first show pushes.
    if (!objectDC.HasPicture() && !IsShown()) {
        const wxSize size = FaceSize(state);
        if (size.x > 0 && size.y > 0)
            SetSize(size);
        return;
    }
    PushFaceAt(GetPosition(), KeepAlpha);
}

void ButtonImpl::SetAction(int type, const wxString& cmd)
{
    actionType = type;
    command = cmd;
}

void ButtonImpl::LoadSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    LockingModeFlag = core->ReadBool(cfg::General, cfg::LockingMode, false);
    PressInterval = PressIntervalFor(core->ReadLong(cfg::General, cfg::PressTimeout, 0));
}

const Picture& ButtonImpl::FrameAt(const Frames& frames, size_t i)
{
    static const Picture none;
    if (i < frames.size() && frames[i].IsOk())
        return frames[i];
    return frames.empty() ? none : frames[0];
}

const char* ButtonImpl::ReadNameAndIcons(wxXmlNode* node, wxXmlNode** next)
{
    if (!node)
        return "Error parsing xml, invalid XML node.";
    wxXmlNode* child = MenuXml::Expect(node->GetChildren(), "name");
    if (!child)
        return "Error parsing xml, invalid item name.";
    ButtonImpl::SetName(MenuXml::Content(child));
    wxXmlNode* icon = MenuXml::Expect(child->GetNext(), "icon");
    if (!icon)
        return "Error parsing xml, invalid item icon.";
    static const char* const faces[3][2] = {{"normal", "Error parsing xml, invalid normal icon."},
                                            {"hover", "Error parsing xml, invalid hover icon."},
                                            {"press", "Error parsing xml, invalid press icon."}};
    wxVector<wxString> paths;
    wxXmlNode* path = icon->GetChildren();
    for (const auto& face : faces) {
        if (!MenuXml::Expect(path, face[0]))
            return face[1];
        paths.push_back(MenuXml::Content(path));
        path = path->GetNext();
    }
    iconPaths = paths;
    *next = icon->GetNext();
    return nullptr;
}

wxXmlNode* ButtonImpl::NewItemNode()
{
    wxXmlNode* item = new wxXmlNode(wxXML_ELEMENT_NODE, "item");
    item->AddAttribute("id", wxString::Format("%d", GetId()));
    MenuXml::AddText(item, "name", name);
    wxXmlNode* icon = MenuXml::AddElement(item, "icon");
    static const char* const faces[3] = {"normal", "hover", "press"};
    for (size_t i = 0; i < 3; ++i)
        MenuXml::AddText(icon, faces[i], i < iconPaths.size() ? iconPaths[i] : wxString());
    return item;
}

void ButtonImpl::ChangeMenuKind(int kind)
{
    if (kind == GetMenuType())
        return;
    if (menu) {
        if (ShowConfirm(_("Are you sure to drop the old menu ?")) != wxYES)
            return;
        DeleteMenu();
    }
    CreateMenu(kind);
}
