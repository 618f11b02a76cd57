#include "zplat/Desktop.h"

#include "zplat/Process.h"

#include <gio/gdesktopappinfo.h>
#include <string.h>
#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

namespace zplat {
namespace {

// Escapes of a value of type string: backslash, newline, tab, carriage return,
// and spaces at either end (which readers would strip).
std::string EscapeString(const std::string& value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case ' ':
            if (i == 0 || i + 1 == value.size()) {
                out += "\\s";
                break;
            }
            [[fallthrough]];
        default: out += c;
        }
    }
    return out;
}

// One argument of Exec: always quoted, with ", `, $ and \ escaped inside the
// quotes and % doubled (field codes); the string escapes follow on top.
std::string QuoteExecArgument(const std::string& arg)
{
    std::string quoted = "\"";
    for (const char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    return EscapeString(quoted);
}

// A launch context whose environment is the one the user started the program with.
GAppLaunchContext* UserLaunchContext()
{
    GAppLaunchContext* context = g_app_launch_context_new();
    gchar** present = g_get_environ();
    for (gchar** e = present; *e; ++e)
        g_app_launch_context_unsetenv(context, std::string(*e, strcspn(*e, "=")).c_str());
    g_strfreev(present);
    for (const std::string& entry : UserEnvironment()) {
        const size_t eq = entry.find('=');
        if (eq != std::string::npos)
            g_app_launch_context_setenv(context, entry.substr(0, eq).c_str(), entry.c_str() + eq + 1);
    }
    return context;
}

} // namespace

bool LaunchDesktopEntry(const std::string& path, std::string& error)
{
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(path.c_str());
    if (!info) {
        error = "not a valid desktop entry";
        return false;
    }
    GAppLaunchContext* context = UserLaunchContext();
    GError* failure = nullptr;
    const gboolean ok = g_app_info_launch(G_APP_INFO(info), nullptr, context, &failure);
    g_object_unref(context);
    if (!ok) {
        error = failure ? failure->message : "the start failed";
        g_clear_error(&failure);
    }
    g_object_unref(info);
    return ok;
}

std::string AutostartDir()
{
    // Read on every call (GLib's g_get_user_config_dir caches the first answer).
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') // a relative value is invalid and ignored
        return std::string(config) + "/autostart";
    const char* home = getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || !home[0])
        return {};
    return std::string(home) + "/.config/autostart";
}

std::string DesktopEntryText(const std::string& name, const std::string& program, const std::string& workDir)
{
    // GLib looks for the program named first before it turns %% back into %, and
    // drops the entry when it is not found; a path with a % is started through env.
    const std::string exec = program.find('%') == std::string::npos ? QuoteExecArgument(program)
                                                                     : "env " + QuoteExecArgument(program);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + EscapeString(name) + "\n"
           "Exec=" + exec + "\n"
           "Path=" + EscapeString(workDir) + "\n";
}

} // namespace zplat
