#include "ImageWidget.h"

#include <wx/event.h>
#include <wx/filedlg.h>

#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "ZynObject.h"
#include "ZynUtils.h"

ImageWidget::ImageWidget(wxWindow* parent)
{
    ConfigImpl* core = GetConfig(cfg::Core);
    const wxPoint place = WidgetWindow::StoredPosition(cfg::ImageWidgetPosX, cfg::ImageWidgetPosY, wxPoint(640, 400));
    const wxString path = core->ReadString(cfg::Plugin, cfg::ImageWidgetPath, wxString());

    Picture picture;
    if (!path.empty())
        picture = BitmapManager::LoadScaledBitmap(path, wxDefaultSize);
    if (!picture.IsOk())
        picture = BitmapManager::System(ICON_ADD)[0];

    imageWindow = new StaticObject(parent, GetName(), place, picture);
    WidgetWindow::Prepare(imageWindow);
    drag = WidgetDrag(imageWindow, [this](const wxPoint& pos) { imageWindow->Move(pos); });
    imageWindow->Bind(wxEVT_LEFT_DOWN, &ImageWidget::OnLeftDown, this);
    TakeDoubleClicksAsPresses(imageWindow);
    imageWindow->Bind(wxEVT_LEFT_UP, &ImageWidget::OnLeftUp, this);
    imageWindow->Bind(wxEVT_MOTION, &ImageWidget::OnMouseMove, this);
}

ImageWidget::~ImageWidget()
{
    const wxPoint pos = imageWindow->GetScreenPosition();
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteLong(cfg::Plugin, cfg::ImageWidgetPosX, pos.x);
    core->WriteLong(cfg::Plugin, cfg::ImageWidgetPosY, pos.y);
    imageWindow->Destroy();
}

bool ImageWidget::Show(const bool& show)
{
    if (imageWindow->IsShown() == show)
        return false;
    if (show)
        WidgetWindow::Lower(imageWindow);
    return imageWindow->Show(show);
}

wxString ImageWidget::GetName() const
{
    return "Image Widget";
}

void ImageWidget::OnLeftDown(wxMouseEvent& event)
{
    if (drag.Press(event))
        event.Skip();
}

void ImageWidget::OnMouseMove(wxMouseEvent& event)
{
    if (drag.Motion(event))
        event.Skip();
}

void ImageWidget::OnLeftUp(wxMouseEvent& event)
{
    drag.Release();
    if (ModalOpenFlag || drag.dragged)
        return;
    // Shown as "*.PNG"; GTK matches patterns case by case, so the pattern spells out both cases.
    // The toolkit's own title for a file chooser, where the message is empty.
    wxFileDialog dialog(imageWindow, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString, "*.PNG|*.[Pp][Nn][Gg]",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK) {
        const wxString path = dialog.GetPath();
        const Picture picture = BitmapManager::LoadScaledBitmap(path, wxDefaultSize);
        // A file that does not load leaves the picture and the stored choice as they were.
        if (picture.IsOk()) {
            imageWindow->SetBitmap(imageWindow->GetName(), picture);
            GetConfig(cfg::Core)->WriteString(cfg::Plugin, cfg::ImageWidgetPath, path);
        }
    }
    event.Skip();
}
