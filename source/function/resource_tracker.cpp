#include "resource_tracker.hpp"

#include <algorithm>

#include "file_io.hpp"
#include "system_info.hpp"

namespace wl {

namespace {

std::vector<TrackedResource>& resources() {
    static std::vector<TrackedResource> list;
    return list;
}

// One line of the library's log form: date, time, ": ", the value, a TAB.
void appendLogLine(const std::string& file, const std::string& text) {
    appendToFile(file, currentDateText() + " " + localTimeText("%H:%M:%S") + ": " + text + "\t\r\n");
}

}  // namespace

std::string callSite(const SourcePlace& where) {
    std::string name = where.function;
    std::size_t paren = name.find('(');
    if (paren != std::string::npos) name.erase(paren);
    std::size_t space = name.rfind(' ');
    if (space != std::string::npos) name.erase(0, space + 1);
    std::size_t scope = name.rfind("::");
    if (scope != std::string::npos) name.erase(0, scope + 2);
    return name + "(" + std::to_string(where.line) + ")";
}

void WLADDRESOURCE(const void* handle, const std::string& type, SourcePlace where) {
    resources().push_back({type, reinterpret_cast<std::uintptr_t>(handle), callSite(where)});
}

void WLDELRESOURCE(const void* handle) {
    auto& list = resources();
    auto h = reinterpret_cast<std::uintptr_t>(handle);
    auto it = std::find_if(list.begin(), list.end(), [h](const TrackedResource& r) { return r.handle == h; });
    if (it != list.end()) list.erase(it);
}

void CHECKRES() {
    const std::string file = "checkres.txt";
    for (const auto& r : resources())
        if (r.handle != 0) appendLogLine(file, r.type + "," + std::to_string(r.handle) + "," + r.callPath);
    appendLogLine(file, std::string(100, '='));
}

void SETRESDEBUG(bool) {}

const std::vector<TrackedResource>& trackedResources() { return resources(); }

}  // namespace wl
