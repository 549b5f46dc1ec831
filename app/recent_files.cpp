#include "recent_files.hpp"

#include "paths.hpp"
#include "text.hpp"

namespace zr {

std::string mruFilePath(const std::string& modelCode) { return wl::joinPath(".", modelCode + ".mru"); }

std::string recordedName(const std::vector<wl::MruEntry>& entries, const std::string& file) {
    const std::string name = wl::alltrim(file);
    if (name.empty()) return name;
    const std::string key = wl::upper(name);
    for (const wl::MruEntry& e : entries)
        if (wl::upper(e.name) == key) return e.name;
    return name;
}

void recordViewedFile(wl::MruList& list, const wl::MruStore& store, const std::string& file) {
    const std::string name = recordedName(list.entries(), file);
    if (!name.empty()) list.save(name, store);
}

void CTLD48400E(const wl::MruStore& store, const std::string& file) {
    wl::MruList list(25);
    list.load(store);
    recordViewedFile(list, store, file);
}

std::vector<DropDownEntry> CTLD48400F(const wl::MruStore& store) {
    std::vector<DropDownEntry> entries;
    if (!store.read) return entries;
    for (int key = 1; key <= kDropDownMax; ++key) {
        std::string value = store.read(std::to_string(key));
        if (!value.empty()) entries.push_back({key, std::move(value)});
    }
    return entries;
}

std::vector<std::string> CTLD48400H(const wl::MruStore& store) {
    std::vector<std::string> values;
    for (int key = 1; key <= kListedKeys; ++key) values.push_back(CTLD48400I(store, key));
    return values;
}

std::string CTLD48400I(const wl::MruStore& store, int n) {
    return store.read ? store.read(std::to_string(n)) : std::string();
}

DropDownTarget dropDownTarget(const std::string& section) {
    if (wl::prefixMatch(section, "Viewer-File")) return DropDownTarget::Viewer;
    if (wl::prefixMatch(section, "Database-File")) return DropDownTarget::Conversion;
    return DropDownTarget::None;
}

}  // namespace zr
