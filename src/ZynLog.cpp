#include "ZynLog.h"

#include <set>
#include <string>

namespace zyn {

const char* LogSource(const char* file)
{
    static std::set<std::string> names;
    // The build gives file relative to the project root: "src/ZynUtils.cpp".
    std::string path(file);
    const std::string::size_type dot = path.rfind('.');
    if (dot != std::string::npos && dot > path.find_last_of('/') + 1)
        path.erase(dot);
    // A folder under src/ is one module (src/widgets holds the desktop widgets).
    if (path.compare(0, 4, "src/") == 0) {
        const std::string::size_type inner = path.find('/', 4);
        if (inner != std::string::npos)
            path.erase(inner);
    }
    return names.insert(path).first->c_str();
}

} // namespace zyn
