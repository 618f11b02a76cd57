// A font store opened from fixture fonts: a temporary application directory
// with the application font files the case asks for, and system fonts
// answered by a fake lookup. Each slot gets a different family, so a test can
// tell which face draws.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "ConfigImpl.h"
#include "FontManager.h"
#include "SystemPaths.h"
#include "TestSupport.h"
#include "zplat/Fonts.h"

namespace fixture {

// The file of an installed font of exactly this family; empty when none is.
inline std::string InstalledFont(const std::string& family)
{
    const std::string out = zyntest::Shell("fc-list '" + family + ":style=Regular' --format '%{index} %{file}\\n'");
    const size_t at = out.find("0 ");
    if (at == std::string::npos)
        return "";
    return out.substr(at + 2, out.find('\n', at) - at - 2);
}

// The family each slot is given.
inline const char* const CustomFamily = "Liberation Mono";
inline const char* const GothamFamily = "Quattrocento"; // wide capitals reach past their pixel size
inline const char* const FzzyFamily = "Liberation Serif";
inline const char* const SimheiFamily = "WenQuanYi Zen Hei";
inline const char* const ArialFamily = "Liberation Sans Narrow";

struct FontCase {
    bool gotham = true; // "Fonts/GothamNights.ttf" present
    bool fzzy = true;   // "Fonts/FZZY.ttf" present
    bool simhei = true; // the system has a CJK sans
    bool arial = true;  // the system has a match for Arial
};

class FontStore {
public:
    FontStore() : previousAppDir(AppDir), previousCwd(std::filesystem::current_path()) {}
    ~FontStore()
    {
        FontManager::Release();
        DestroyAllConfigs();
        zplat::SetFontLookup(nullptr);
        AppDir = previousAppDir;
        std::filesystem::current_path(previousCwd);
    }

    // Lays out the case's files and answers; false when a fixture font is not installed.
    bool Prepare(const FontCase& c)
    {
        namespace fs = std::filesystem;
        fs::create_directories(dir / "Fonts");
        auto place = [&](bool present, const char* family, const std::string& name) {
            if (!present)
                return true;
            const std::string file = InstalledFont(family);
            return !file.empty() && fs::copy_file(file, dir / name);
        };
        if (!place(c.gotham, GothamFamily, "Fonts/GothamNights.ttf") || !place(c.fzzy, FzzyFamily, "Fonts/FZZY.ttf"))
            return false;
        auto lookup = std::make_unique<zplat::FakeFontLookup>();
        if (c.simhei)
            lookup->answers["sans-serif"] = {InstalledFont(SimheiFamily), 0};
        if (c.arial)
            lookup->answers["Arial"] = {InstalledFont(ArialFamily), 0};
        for (const auto& answer : lookup->answers) {
            if (answer.second.path.empty())
                return false;
        }
        zplat::SetFontLookup(std::move(lookup));
        AppDir = wxString::FromUTF8(dir.Path());
        return true;
    }

    bool Open(const FontCase& c)
    {
        if (!Prepare(c))
            return false;
        return FontManager::Initial();
    }

    // A copy of the custom family's font at name inside the directory.
    std::string PlaceCustom(const std::string& name)
    {
        const std::string file = InstalledFont(CustomFamily);
        std::filesystem::create_directories(std::filesystem::path(dir / name).parent_path());
        std::filesystem::copy_file(file, dir / name);
        return dir / name;
    }

    zyntest::TempDir dir;

private:
    wxString previousAppDir;
    std::filesystem::path previousCwd;
};

// The family of the face in slot, or "" when the slot is empty.
inline std::string FamilyIn(int slot)
{
    FT_Face face = FontManager::FontFaces[slot];
    return face ? face->family_name : "";
}

} // namespace fixture
