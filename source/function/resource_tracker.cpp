#include "resource_tracker.hpp"

#include <algorithm>

#include "file_names.hpp"
#include "process_state.hpp"

namespace wl {

namespace {

std::vector<TrackedResource>& resources() {
    return processState().resources.get<std::vector<TrackedResource>>();
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
        if (r.handle != 0) LOGFILE(file, {Value(r.type + "," + std::to_string(r.handle) + "," + r.callPath)});
    LOGFILE(file, {Value(std::string(100, '='))});
}

void SETRESDEBUG(bool) {}

const std::vector<TrackedResource>& trackedResources() { return resources(); }

}  // namespace wl
