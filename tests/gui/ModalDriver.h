// Drives a modal dialog with real input: ShowModal runs while a timer works
// through the steps, holding the display's input (XClient) all along. A step's
// action runs only while the dialog is the active window and is repeated every
// half second until its check holds. A step without a check ends the dialog:
// it is repeated until the dialog closes. After 10 s the dialog ends with
// wxID_ABORT.
#pragma once

#include <X11/keysym.h>

#include <functional>
#include <vector>

#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "XClient.h"

namespace zyntest {

struct ModalStep {
    std::function<void(XClient&)> action;
    std::function<bool()> done; // empty: the step closes the dialog
};

inline int ShowModalDriving(wxDialog& dialog, const std::vector<ModalStep>& steps)
{
    XClient input;
    wxTimer timer;
    int ticks = 0;
    size_t current = 0;
    int lastTry = -100;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks > 500) {
            dialog.EndModal(wxID_ABORT);
            return;
        }
        while (current < steps.size() && steps[current].done && steps[current].done()) {
            ++current;
            lastTry = -100;
        }
        if (current == steps.size() || ticks - lastTry < 25 || !dialog.IsShownOnScreen() || !dialog.IsActive())
            return;
        steps[current].action(input);
        lastTry = ticks;
    });
    timer.Start(20);
    return dialog.ShowModal();
}

// Clicks the middle of window (or x pixels from its left end, negative: from
// its right end).
inline void ClickOn(XClient& input, wxWindow* window, int x = 0)
{
    const wxRect r = window->GetScreenRect();
    const int at = x == 0 ? r.GetLeft() + r.GetWidth() / 2 : x > 0 ? r.GetLeft() + x : r.GetRight() + x;
    input.MoveTo(at, r.GetTop() + r.GetHeight() / 2);
    input.Button(1, true);
    input.Button(1, false);
}

// A step that clicks window to close the dialog.
inline ModalStep Click(wxWindow* window, int x = 0)
{
    return {[window, x](XClient& input) { ClickOn(input, window, x); }, {}};
}

// A step that clicks window until it has the keyboard focus.
inline ModalStep Focus(wxWindow* window)
{
    return {[window](XClient& input) { ClickOn(input, window); }, [window] { return wxWindow::FindFocus() == window; }};
}

// A step that replaces the text of the focused field by typing; text is plain
// ASCII that needs no Shift (an empty text clears the field).
inline ModalStep Type(wxTextCtrl* field, const wxString& text)
{
    return {[text](XClient& input) {
                input.Chord({XK_Control_L}, XK_a);
                input.Chord({}, XK_BackSpace);
                for (wxUniChar c : text)
                    input.Chord({}, static_cast<KeySym>(c.GetValue()));
            },
            [field, text] { return field->GetValue() == text; }};
}

} // namespace zyntest
