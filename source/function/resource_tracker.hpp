// The tracker of graphic objects: every brush, font, bitmap, region, icon
// or cursor that the native layer makes is recorded with a type text and
// the routine that made it, and forgotten when it is deleted, so that
// CHECKRES can list what was never deleted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "source_place.hpp"

namespace wl {

struct TrackedResource {
    std::string type;        // "BRUSH", "FONT", "REGION", "BMP -> MakeBkBmp", ...
    std::uintptr_t handle = 0;
    std::string callPath;    // "routine(line)" of the maker
};

// Records a new object; the call path names the routine that asked.
void WLADDRESOURCE(const void* handle, const std::string& type,
                   SourcePlace where = SourcePlace::current());
// Forgets the first entry with this handle.
void WLDELRESOURCE(const void* handle);
// Appends a line "type,handle,call path" for each live entry, then a line
// of 100 "=", to "checkres.txt" in the current folder.
void CHECKRES();
// Kept for callers that switch resource debugging; it changes nothing.
void SETRESDEBUG(bool enable);

// The names the native layer reports under.
inline void TrackResourceNew(const void* handle, const std::string& type,
                             SourcePlace where = SourcePlace::current()) {
    WLADDRESOURCE(handle, type, where);
}
inline void TrackResourceDelete(const void* handle) { WLDELRESOURCE(handle); }

// The live entries, oldest first.
const std::vector<TrackedResource>& trackedResources();

// "name(line)" of a source location: the routine's bare name without its
// return type, namespace or parameter list.
std::string callSite(const SourcePlace& where);

}  // namespace wl
