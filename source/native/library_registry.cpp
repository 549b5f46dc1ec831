#include "library_registry.hpp"

#include <algorithm>
#include <vector>
#include "process_state.hpp"

namespace wl {

namespace {

struct LoadedLibrary {
    ATOM atom;
    HMODULE module;
};

std::vector<LoadedLibrary>& libraries() {
    return processState().libraries.get<std::vector<LoadedLibrary>>();
}

std::vector<LoadedLibrary>::iterator findAtom(ATOM atom) {
    auto& list = libraries();
    return std::find_if(list.begin(), list.end(), [atom](const LoadedLibrary& l) { return l.atom == atom; });
}

struct ResourceModule {
    HINSTANCE module = nullptr;
};
HINSTANCE& resourceModule() { return processState().resourceModule.get<ResourceModule>().module; }

NativeHandleList& globalHandles() {
    return processState().nativeHandles.get<NativeHandleList>();
}

}  // namespace

HMODULE LoadLibraryOnce(const std::string& cName) {
    ATOM atom = GlobalAddAtomA(cName.c_str());
    if (atom == 0) return nullptr;
    auto known = findAtom(atom);
    if (known != libraries().end()) {
        GlobalDeleteAtom(atom);  // the entry holds one reference already
        return known->module;
    }
    HMODULE module = LoadLibraryA(cName.c_str());
    if (!module) {
        GlobalDeleteAtom(atom);
        return nullptr;
    }
    libraries().push_back({atom, module});
    return module;
}

bool FreeLibraryByName(const std::string& cName) {
    ATOM atom = GlobalFindAtomA(cName.c_str());
    auto known = atom ? findAtom(atom) : libraries().end();
    if (known == libraries().end()) return false;
    FreeLibrary(known->module);
    GlobalDeleteAtom(known->atom);
    libraries().erase(known);
    return true;
}

void FreeAllLibraries() {
    for (const auto& l : libraries()) {
        FreeLibrary(l.module);
        GlobalDeleteAtom(l.atom);
    }
    libraries().clear();
}

std::size_t loadedLibraryCount() { return libraries().size(); }

HINSTANCE GetResourceInstance() { return resourceModule() ? resourceModule() : GetModuleHandleA(nullptr); }

void SetResourceInstance(HINSTANCE hModule) { resourceModule() = hModule; }

void TrackGlobalHandle(HGLOBAL hMem) { globalHandles().add(reinterpret_cast<std::uintptr_t>(hMem)); }

void UntrackGlobalHandle(HGLOBAL hMem) { globalHandles().remove(reinterpret_cast<std::uintptr_t>(hMem)); }

const NativeHandleList& trackedGlobalHandles() { return globalHandles(); }

}  // namespace wl
