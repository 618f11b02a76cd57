// An entry of the edit pop-up: a button showing its own copies of the frames
// it was made from. Entries are built in and never saved.
#pragma once

#include "ButtonImpl.h"

class TrayItem : public ButtonImpl {
public:
    TrayItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& frames);

    const wxPoint& GetMargin() const override;
    wxXmlNode* GetNode() override { return nullptr; }
    void SetNode(wxXmlNode*) override {}

    static const wxPoint Margin;

    Frames frames;
};
