// Desktop integration that is not X11: starting desktop entries.
#pragma once

#include <string>

namespace zplat {

// Starts the application a desktop entry file describes, as the desktop's
// launcher would. False (with the reason in error) when the file is not a
// valid entry or the start failed.
bool LaunchDesktopEntry(const std::string& path, std::string& error);

} // namespace zplat
