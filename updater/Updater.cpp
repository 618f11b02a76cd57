#include "Updater.h"

#include <cstdio>

#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/translation.h>
#include <wx/utils.h>

#include "UpdateInfo.h"

namespace {

// Nothing of the toolkit's may pop up: its messages and asserts go to stderr.
void AssertToStderr(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    const wxString text = wxString::Format("zyn-updater: assertion failed: %s (%s) at %s:%d in %s\n", cond, msg, file, line, func);
    fputs(text.utf8_str(), stderr);
}

} // namespace

bool Updater::OnInit()
{
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(AssertToStderr);
    wxInitAllImageHandlers();
    m_locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT);
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix("./Langs");
    m_locale.AddCatalog(m_locale.GetCanonicalName());

    CheckForUpdate(
        UpdateTextAddress(), UpdateDeadlineMs(),
        [](const wxString& question, const wxString& caption) {
            return wxMessageBox(question, caption, wxOK | wxCANCEL | wxCENTRE, nullptr) == wxOK;
        },
        [](const wxString& page) { wxLaunchDefaultBrowser(page, 0); });
    return false;
}

wxIMPLEMENT_APP_NO_MAIN(Updater);

// The program takes no arguments: the toolkit sees none either.
int main(int argc, char** argv)
{
    int count = 1;
    char* args[] = {argv[0], nullptr};
    return wxEntry(count, args);
}
