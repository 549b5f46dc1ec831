// Libraries loaded by name, each loaded once however often it is asked
// for (a global atom of the name keys the entry); the module the library
// takes its resources from; and the set of global memory blocks the native
// layer has handed out.
#pragma once

#include <windows.h>

#include <string>

#include "native_lists.hpp"

namespace wl {

// The library's module, loading it on the first request; 0 when it cannot
// be loaded.
HMODULE LoadLibraryOnce(const std::string& cName);
// Frees a library loaded by name and forgets it; false when it was not loaded.
bool FreeLibraryByName(const std::string& cName);
// Frees every library loaded by name and deletes every atom.
void FreeAllLibraries();
// The number of libraries loaded by name.
std::size_t loadedLibraryCount();

// The module resources come from: the program itself unless a resource
// library was set (0 sets the program again).
HINSTANCE GetResourceInstance();
void SetResourceInstance(HINSTANCE hModule);

// Global memory blocks handed out by the native layer.
void TrackGlobalHandle(HGLOBAL hMem);
void UntrackGlobalHandle(HGLOBAL hMem);
const NativeHandleList& trackedGlobalHandles();

}  // namespace wl
