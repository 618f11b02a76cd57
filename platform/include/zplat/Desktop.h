// Desktop integration that is not X11: desktop entries and the autostart folder.
#pragma once

#include <string>

namespace zplat {

// Starts the application a desktop entry file describes, as the desktop's
// launcher would, in the environment the user started the program with. False (with the reason in error) when the file is not a
// valid entry or the start failed.
bool LaunchDesktopEntry(const std::string& path, std::string& error);

// The folder whose desktop entries the session starts at log-in:
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart; empty when the user has
// no home folder.
std::string AutostartDir();

// The text of a desktop entry named name that runs program (no arguments) in
// the folder workDir, quoted and escaped by the Desktop Entry rules.
std::string DesktopEntryText(const std::string& name, const std::string& program, const std::string& workDir);

} // namespace zplat
