#include "WarningObject.h"

#include <wx/weakref.h>

#include "NotifyWindow.h"

namespace {
// The warning that exists; forgotten when it hides or goes with the launcher window.
wxWeakRef<WarningObject> WarningInstance;
} // namespace

WarningObject::WarningObject(wxWindow* parent)
    : NoticeObject(parent, BitmapManager::System(ETC_WARNING), WarningTimeoutMs, wxDefaultPosition)
{
}

void WarningObject::OnShow(wxShowEvent& event)
{
    if (!event.IsShown())
        WarningInstance = nullptr;
    NoticeObject::OnShow(event);
}

WarningObject* WarningObject::Get()
{
    if (!WarningInstance)
        WarningInstance = new WarningObject(LauncherWindow());
    return WarningInstance;
}

void ShowWarning()
{
    WarningObject::Get()->Show(true);
}
