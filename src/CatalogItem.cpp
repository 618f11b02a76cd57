#include "CatalogItem.h"

#include <wx/xml/xml.h>

#include "MenuXml.h"
#include "ZynLog.h"

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
    SetBitmaps(setA[0], setA[1], setA[2], true);
}

CatalogItem::CatalogItem(wxWindow* parent, wxXmlNode* node)
    : ButtonImpl(parent, "Unknown", wxDefaultPosition), setA(3), setB(3)
{
    SetNode(node);
    const Frames icons = iconPaths[0].empty()
                             ? BitmapManager::System(ICON_HELP)
                             : BitmapManager::LoadIconSet(iconPaths[0], iconPaths[1], iconPaths[2], IconSize);
    DrawFaces(icons, BitmapManager::System(BITMAP_CATALOG));
    SetBitmaps(setA[0], setA[1], setA[2], true);
}

const wxPoint& CatalogItem::GetMargin() const { return Margin; }

void CatalogItem::DrawFaces(const Frames& icons, const Frames& frames)
{
    const wxRect rect(wxPoint(0, 0), FrameAt(frames, 0).GetSize());
    const wxPoint iconAt(35, (rect.height - FrameAt(icons, 0).GetHeight()) / 2);
    const wxPoint textAt(70, rect.height / 2 + 5);
    for (size_t k = 0; k < 3; ++k) {
        // A theme with only the plain set uses it for the selected one too.
        const Picture& selected = k + 3 < frames.size() && frames[k + 3].IsOk() ? frames[k + 3] : FrameAt(frames, k);
        setA[k] = FrameAt(frames, k).GetSubPicture(rect);
        setB[k] = selected.GetSubPicture(rect);
        for (Picture* face : {&setA[k], &setB[k]}) {
            if (!face->IsOk())
                continue;
            BitmapDC canvas(*face);
            if (FrameAt(icons, k).IsOk())
                canvas.BlendBitmap(FrameAt(icons, k), iconAt, 255);
            canvas.DrawGlyphText(name, textAt, k == 0 ? DarkText : LightText, DefaultTextSize);
        }
    }
}

wxXmlNode* CatalogItem::GetNode() { return builtIn ? nullptr : NewItemNode(); }

void CatalogItem::SetNode(wxXmlNode* node)
{
    wxXmlNode* next = nullptr;
    if (const char* fault = ReadNameAndIcons(node, &next))
        ZLOG_ERROR("%s", fault);
}
