#include "ZynWidget.h"

#include <algorithm>
#include <utility>

#include <wx/event.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HPBar.h"
#include "ImageWidget.h"
#include "NotifyLayout.h"
#include "SystemMonitor.h"
#include "ZynObject.h"
#include "ZynUtils.h"
#include "zplat/Windows.h"

namespace {

// The module's widgets, typed by their classes so each is deleted by its own destructor.
HPBar* hpBarWidget = nullptr;
ImageWidget* imageWidget = nullptr;
SystemMonitor* monitorWidget = nullptr;
WidgetRegistry registry;

void EnableIf(ZynWidget* widget, const bool& on)
{
    if (widget)
        widget->SetEnabled(on);
}

} // namespace

void WidgetRegistry::LoadSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    EnableIf(monitor, core->ReadBool(cfg::Plugin, cfg::EnableSystemMonitor, true));
    EnableIf(image, core->ReadBool(cfg::Plugin, cfg::EnableImageWidget, true));
    EnableIf(hpBar, core->ReadBool(cfg::Plugin, cfg::EnableHPBar, true));
    SetAllEnabled(core->ReadBool(cfg::Plugin, cfg::Enable, true));
}

void WidgetRegistry::SetAllEnabled(const bool& on)
{
    allEnabled = on;
    if (on)
        ShowEnabled();
    else
        HideAll();
}

void WidgetRegistry::ShowEnabled()
{
    if (!allEnabled)
        return;
    for (ZynWidget* widget : {hpBar, monitor, image})
        if (widget)
            widget->Show(widget->IsEnabled());
}

void WidgetRegistry::HideAll()
{
    for (ZynWidget* widget : {monitor, image, hpBar})
        if (widget)
            widget->Show(false);
}

ZynWidget* WidgetRegistry::Find(const wxString& name) const
{
    for (ZynWidget* widget : {hpBar, monitor, image})
        if (widget && widget->GetName() == name)
            return widget;
    return nullptr;
}

bool WidgetRegistry::SetEnabled(const wxString& name, const bool& enable)
{
    ZynWidget* widget = Find(name);
    if (!allEnabled || !widget || widget->IsEnabled() == enable)
        return false;
    widget->SetEnabled(enable);
    ShowEnabled();
    ConfigImpl* core = GetConfig(cfg::Core);
    const std::pair<const char*, const ZynWidget*> keys[] = {
        {cfg::EnableHPBar, hpBar}, {cfg::EnableSystemMonitor, monitor}, {cfg::EnableImageWidget, image}};
    for (const auto& [key, w] : keys)
        if (w)
            core->WriteBool(cfg::Plugin, key, w->IsEnabled());
    return true;
}

bool WidgetRegistry::Toggle(const wxString& name)
{
    const ZynWidget* widget = Find(name);
    return widget && SetEnabled(name, !widget->IsEnabled());
}

bool CreateWidgets()
{
    registry.monitor = monitorWidget = new SystemMonitor(nullptr);
    registry.image = imageWidget = new ImageWidget(nullptr);
    registry.hpBar = hpBarWidget = new HPBar(nullptr);
    return true;
}

void LoadWidgetSettings() { registry.LoadSettings(); }
void SetWidgetsEnabled(const bool& on) { registry.SetAllEnabled(on); }
void ShowEnabledWidgets() { registry.ShowEnabled(); }
void HideAllWidgets() { registry.HideAll(); }
ZynWidget* FindWidget(const wxString& name) { return registry.Find(name); }
bool SetWidgetEnabled(const wxString& name, const bool& enable) { return registry.SetEnabled(name, enable); }
bool ToggleWidget(const wxString& name) { return registry.Toggle(name); }

void DeleteWidgets()
{
    registry.hpBar = nullptr;
    delete hpBarWidget;
    hpBarWidget = nullptr;
    registry.image = nullptr;
    delete imageWidget;
    imageWidget = nullptr;
    registry.monitor = nullptr;
    delete monitorWidget;
    monitorWidget = nullptr;
}

namespace WidgetWindow {

void Prepare(ZynObject* window, bool answerCaptureLoss)
{
    window->SetKind(zplat::WindowKind::NoActivate);
    window->RefuseFocus();
    // The toolkit insists that a lost capture be answered.
    if (answerCaptureLoss)
        window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
}

void Lower(wxWindow* window)
{
    zplat::GetWindowService().Lower(window->GetHandle());
}

wxPoint OnScreen(long x, long y, const wxSize& screen)
{
    const auto clamp = [](long value, int extent) {
        return static_cast<int>(std::clamp<long>(value, 0, std::max(extent, 1) - 1));
    };
    return wxPoint(clamp(x, screen.x), clamp(y, screen.y));
}

wxPoint StoredPosition(const char* keyX, const char* keyY, const wxPoint& defaults)
{
    ConfigImpl* core = GetConfig(cfg::Core);
    const long y = core->ReadLong(cfg::Plugin, keyY, defaults.y);
    const long x = core->ReadLong(cfg::Plugin, keyX, defaults.x);
    return OnScreen(x, y, ScreenSize());
}

} // namespace WidgetWindow

bool WidgetDrag::Press(const wxMouseEvent& event)
{
    if (ModalOpenFlag)
        return false;
    if (!window->HasCapture())
        window->CaptureMouse();
    offset = event.GetPosition();
    dragged = false;
    return true;
}

bool WidgetDrag::Motion(const wxMouseEvent& event)
{
    if (!event.LeftIsDown() || !window->HasCapture())
        return false;
    FollowPointer();
    return true;
}

void WidgetDrag::Release()
{
    if (!window->HasCapture())
        return;
    FollowPointer();
    window->ReleaseMouse();
}

void WidgetDrag::FollowPointer()
{
    // The toolkit also reports motion that does not move the pointer; only a move is a drag.
    const wxPoint pos = wxGetMousePosition() - offset;
    if (pos == window->GetPosition())
        return;
    dragged = true;
    follow(pos);
}
