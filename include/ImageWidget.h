// The image widget: one picture of the user's choice on the desktop, at its
// natural size with its own transparency. A click asks for another PNG file;
// until one is chosen the theme's add icon stands in.
#pragma once

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "ZynWidget.h"

class StaticObject;
class wxMouseEvent;
class wxWindow;

class ImageWidget : public ZynWidget {
public:
    explicit ImageWidget(wxWindow* parent);
    bool Show(const bool& show) override;
    wxString GetName() const override;
    // Writes the window's position into "Core" and destroys the window.
    virtual ~ImageWidget();

    StaticObject* imageWindow = nullptr;
    WidgetDrag drag;

private:
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
};
