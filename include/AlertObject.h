// The themed yes/no question: a frameless modal dialog that draws the question
// on the alert background with a yes and a no button, opens in two steps
// (a widening strip, then up and down while the buttons fade in), follows the
// mouse over its buttons, and after a release on one fades out and answers.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/dialog.h>
#include <wx/event.h>
#include <wx/string.h>

#include "Animatable.h"
#include "NotifyLayout.h"
#include "NotifyWindow.h"
#include "ObjectDC.h"
#include "Picture.h"

class AlertObject : public wxDialog, public Animatable, public NotifyPicture {
public:
    // Built hidden and fully transparent, centred on the screen.
    AlertObject(wxWindow* parent, const wxString& question);
    ~AlertObject() override;

    // Runs the alert until it has faded out; wxYES or wxNO. The alert then
    // destroys itself.
    int ShowModal() override;

    // The stored frame: the alert never moves.
    AnimationFrame* GetFrame() override;
    void ApplyFrame(AnimationFrame& frame) override;
    virtual void OnShow(wxShowEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    void OnAnimationStart() override;
    void OnAnimationEnd() override;

    ObjectDC windowDC;
    std::vector<Picture> yesFaces; // normal, under the mouse, (a copy of the second)
    std::vector<Picture> noFaces;
    AlertInput input; // holds the choice: the button under the mouse

private:
    // Composes the frame's size with the buttons at their opacity; true when drawn.
    bool Compose();
    // Shows the display canvas, or with content false only the present alpha.
    void Push(bool content);
    void Follow(const AlertInput::Step& step);
    void DrawButton(AlertChoice button, size_t face);

    bool modalRunning = false;
    bool holdsModalFlag = false;
    bool modalFlagBefore = false;

    wxDECLARE_EVENT_TABLE();
};

// A new alert with the question over the alert owner (an invisible window over
// the launcher window, built on first use), not shown yet.
AlertObject* ShowAlert(const wxString& question);
// Asks the question and returns wxYES or wxNO once the alert has faded out.
int ShowConfirm(const wxString& question);
