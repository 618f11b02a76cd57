// Drives modal dialogs with real input: code that shows them runs while a
// timer works through the steps, holding the display's input (XClient) all
// along. A step acts only while a modal dialog of the program is the active
// window, and repeats its action every half second until its check holds. A
// step without a check ends the dialog: it is repeated until the code returns.
// After 10 s every modal dialog still open ends with wxID_ABORT.
#pragma once

#include <X11/keysym.h>

#include <functional>
#include <vector>

#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "XClient.h"

namespace zyntest {

// The active modal dialog of the program when it is a T, else nullptr.
template <class T = wxDialog>
T* ActiveDialog()
{
    for (wxWindow* w : wxTopLevelWindows) {
        wxDialog* dialog = dynamic_cast<wxDialog*>(w);
        if (dialog && dialog->IsModal() && dialog->IsActive() && dialog->IsShownOnScreen())
            return dynamic_cast<T*>(dialog);
    }
    return nullptr;
}

struct ModalStep {
    std::function<void(XClient&)> action;
    std::function<bool()> done; // empty: the step closes the dialog
};

inline void Driving(const std::function<void()>& code, const std::vector<ModalStep>& steps)
{
    XClient input;
    wxTimer timer;
    int ticks = 0;
    size_t current = 0;
    int lastTry = -100;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks > 500) {
            for (wxWindow* w : wxTopLevelWindows)
                if (wxDialog* dialog = dynamic_cast<wxDialog*>(w); dialog && dialog->IsModal())
                    dialog->EndModal(wxID_ABORT);
            return;
        }
        while (current < steps.size() && steps[current].done && steps[current].done()) {
            ++current;
            lastTry = -100;
        }
        if (current == steps.size() || ticks - lastTry < 25 || !ActiveDialog())
            return;
        steps[current].action(input);
        lastTry = ticks;
    });
    timer.Start(20);
    code();
}

inline int ShowModalDriving(wxDialog& dialog, const std::vector<ModalStep>& steps)
{
    int rc = wxID_NONE;
    Driving([&] { rc = dialog.ShowModal(); }, steps);
    return rc;
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

// The window a step acts on, looked up when the step runs (it may belong to a
// dialog that opens later); nullptr while there is none.
using Target = std::function<wxWindow*()>;

inline Target Fixed(wxWindow* window)
{
    return [window] { return window; };
}

// A step that clicks the window until done holds (empty: the click ends the dialog).
inline ModalStep Click(const Target& window, std::function<bool()> done = {}, int x = 0)
{
    return {[window, x](XClient& input) {
                if (wxWindow* w = window())
                    ClickOn(input, w, x);
            },
            std::move(done)};
}

inline ModalStep Click(wxWindow* window, int x = 0)
{
    return Click(Fixed(window), {}, x);
}

// A step that clicks the window until it has the keyboard focus.
inline ModalStep Focus(const Target& window)
{
    return Click(window, [window] { return window() && wxWindow::FindFocus() == window(); });
}

// A step that replaces the text of the focused field by typing; text is plain
// ASCII that needs no Shift (an empty text clears the field).
inline ModalStep Type(const std::function<wxTextCtrl*()>& field, const wxString& text)
{
    return {[text](XClient& input) {
                input.Chord({XK_Control_L}, XK_a);
                input.Chord({}, XK_BackSpace);
                for (wxUniChar c : text)
                    input.Chord({}, static_cast<KeySym>(c.GetValue()));
            },
            [field, text] { return field() && field()->GetValue() == text; }};
}

inline ModalStep Focus(wxWindow* window)
{
    return Focus(Fixed(window));
}

inline ModalStep Type(wxTextCtrl* field, const wxString& text)
{
    return Type([field] { return field; }, text);
}

} // namespace zyntest
