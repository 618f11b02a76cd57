#include "CatalogItem.h"

#include <wx/xml/xml.h>

#include "IconSettingDialog.h"
#include "MenuImpl.h"
#include "MenuXml.h"
#include "ZynLog.h"
#include "ZynUtils.h"

const wxPoint CatalogItem::Margin(-17, -2);
const wxSize CatalogItem::IconSize(26, 26);

namespace {
constexpr uint32_t DarkText = 0xDD333333;
constexpr uint32_t LightText = 0xDDFFFFFF;
} // namespace

CatalogItem::CatalogItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons,
                         const Frames& frames)
    : ButtonImpl(parent, name, pos), setA(3), setB(3)
{
    DrawFaces(icons, frames);
    UseSet(false, true);
}

CatalogItem::CatalogItem(wxWindow* parent, wxXmlNode* node)
    : ButtonImpl(parent, "Unknown", wxDefaultPosition), setA(3), setB(3)
{
    SetNode(node);
    DrawFaces(IconsOf(iconPaths), BitmapManager::System(BITMAP_CATALOG));
    UseSet(false, true);
}

const wxPoint& CatalogItem::GetMargin() const { return Margin; }

Frames CatalogItem::IconsOf(const wxVector<wxString>& paths)
{
    if (paths.size() < 3 || paths[0].empty())
        return BitmapManager::System(ICON_HELP);
    return BitmapManager::LoadIconSet(paths[0], paths[1], paths[2], IconSize);
}

void CatalogItem::DrawFaces(const Frames& icons, const Frames& frames)
{
    faceIcons = icons;
    faceFrames = frames;
    faceSize = FrameAt(frames, 0).GetSize();
    for (size_t k = 0; k < 3; ++k) {
        setA[k] = Picture();
        setB[k] = Picture();
    }
    for (bool& m : made)
        m = false;
}

const Picture& CatalogItem::SetFace(bool selectedSet, size_t k)
{
    Frames& set = selectedSet ? setB : setA;
    bool& done = made[(selectedSet ? 3 : 0) + k];
    if (done)
        return set[k];
    done = true;
    const wxRect rect(wxPoint(0, 0), faceSize);
    const wxPoint iconAt(35, (rect.height - FrameAt(faceIcons, 0).GetHeight()) / 2);
    const wxPoint textAt(70, rect.height / 2 + 5);
    // A theme with only the plain set uses it for the selected one too.
    const Picture& source = selectedSet && k + 3 < faceFrames.size() && faceFrames[k + 3].IsOk()
                                ? faceFrames[k + 3]
                                : FrameAt(faceFrames, k);
    set[k] = source.GetSubPicture(rect);
    if (set[k].IsOk()) {
        BitmapDC canvas(set[k]);
        if (FrameAt(faceIcons, k).IsOk())
            canvas.BlendBitmap(FrameAt(faceIcons, k), iconAt, 255);
        canvas.DrawGlyphText(name, textAt, k == 0 ? DarkText : LightText, DefaultTextSize);
    }
    return set[k];
}

void CatalogItem::ComposeFace(int32_t itemState)
{
    const size_t k = itemState == ITEM_STATE_HOVER ? 1 : itemState == ITEM_STATE_PRESSED ? 2 : 0;
    SetFace(normalFace.GetPicture() == &setB[0], k);
}

wxSize CatalogItem::FaceSize(int32_t) { return faceSize; }

void CatalogItem::UseSet(bool selectedSet, bool redraw)
{
    Frames& set = selectedSet ? setB : setA;
    SetBitmaps(set[0], set[1], set[2], redraw);
}

void CatalogItem::Redraw(const wxVector<wxString>& paths)
{
    DrawFaces(IconsOf(paths), BitmapManager::System(BITMAP_CATALOG));
    UseSet(face != FACE_PLAIN, true);
}

void CatalogItem::SetName(const wxString& newName)
{
    ButtonImpl::SetName(newName);
    Redraw(iconPaths);
}

void CatalogItem::SetIcons(const wxVector<wxString>& paths)
{
    Redraw(paths);
    if (&paths != &iconPaths)
        iconPaths = paths;
    iconPaths.resize(3);
}

void CatalogItem::SetSelected(bool on)
{
    if (on && face == FACE_PLAIN) {
        UseSet(true, true);
        face = FACE_SELECTED;
    } else if (!on && face != FACE_PLAIN) {
        UseSet(false, true);
        face = FACE_PLAIN;
    }
}

void CatalogItem::SetOpen(bool open)
{
    if (open && face != FACE_OPEN) {
        if (menu)
            menu->Show(true);
        face = FACE_OPEN;
        UseSet(true, true);
    } else if (!open && face == FACE_OPEN) {
        if (menu)
            menu->Show(false);
        ButtonImpl::ShowNormal();
        face = FACE_SELECTED;
        UseSet(true, true);
    }
}

void CatalogItem::ShowNormal()
{
    UseSet(false, false);
    face = FACE_PLAIN;
    if (menu)
        menu->Show(false);
    ButtonImpl::ShowNormal();
}

bool CatalogItem::IsActive() { return face == FACE_OPEN; }

void CatalogItem::OnLeaveWindow(wxMouseEvent& event)
{
    if (face == FACE_OPEN) // the open tab keeps its look
        return;
    ButtonImpl::OnLeaveWindow(event);
}

void CatalogItem::OnLeftUp(wxMouseEvent& event)
{
    if (ModalOpenFlag)
        return;
    SetOpen(face != FACE_OPEN);
    ButtonImpl::OnLeftUp(event);
}

void CatalogItem::OnTimer(wxTimerEvent& event)
{
    if (menu)
        menu->Show(false);
    ButtonImpl::OnTimer(event);
}

bool CatalogItem::Edit()
{
    IconSettingDialog dialog(this, IconSettingDialog::ITEM_KIND_CATALOG);
    dialog.SetItemName(name);
    dialog.SetIconPaths(iconPaths);
    dialog.SetSubMenuType(GetMenuType());
    dialog.EnableOptionPanels(true);
    if (dialog.ShowModal() == wxID_CANCEL)
        return false;
    SetName(dialog.GetItemName());
    SetIcons(dialog.GetIconPaths());
    ChangeMenuKind(dialog.GetSubMenuType());
    return true;
}

wxXmlNode* CatalogItem::GetNode() { return builtIn ? nullptr : NewItemNode(); }

void CatalogItem::SetNode(wxXmlNode* node)
{
    wxXmlNode* next = nullptr;
    if (const char* fault = ReadNameAndIcons(node, &next))
        ZLOG_ERROR("%s", fault);
}
