// The warning: the one picture notice that tells the user a request was
// refused. Each refusal shows it at full strength for another second.
#pragma once

#include "NoticeObject.h"

inline constexpr int WarningTimeoutMs = 1000;

class WarningObject : public NoticeObject {
public:
    explicit WarningObject(wxWindow* parent);

    // Forgets the warning when it hides, so the next refusal builds a new one.
    void OnShow(wxShowEvent& event) override;

    // The warning that exists, built over the launcher window when there is none; not shown.
    static WarningObject* Get();
};

// Shows the warning, or shows it again for another second.
void ShowWarning();
