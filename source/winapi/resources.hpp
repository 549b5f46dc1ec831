// The program's resources. The resource module is the program itself unless
// a resource library has been set with SETRESOURCES.
#pragma once

#include <windows.h>

#include <string>
#include <variant>

#include "name_or_id.hpp"

namespace wl {

HMODULE GETRESOURCES();
// A text loads that library once and makes it the resource library; a
// module handle makes that module the resource library. Answers it.
HMODULE SETRESOURCES(const std::variant<std::string, HMODULE>& library);
// Frees every library loaded by name for resources and goes back to the
// program's own resources.
void FREERESOURCES();

HRSRC FINDRESOURCE(HMODULE hModule, const NameOrId& name, const NameOrId& type);
HGLOBAL LOADRESOURCE(HMODULE hModule, HRSRC hResInfo);
void* LOCKRESOURCE(HGLOBAL hResData);
void FREERESOURCE(HGLOBAL hResData);

// The bytes of a resource of the resource module; "" when it is not found.
std::string CRESTOSTR(const NameOrId& name, const NameOrId& type);
// Whether the resource module holds an RT_ICON resource of that name.
bool HASICONRESOURCE(const NameOrId& name);
// Writes the RT_RCDATA resource of hModule (the resource module for 0) to
// the file, created or truncated.
void RESOURCETOFILE(HMODULE hModule, const NameOrId& name, const std::string& file);
// The RT_HTML resource as a zero-terminated text.
std::string HTMLRESOURCE(HMODULE hModule, const NameOrId& name);

}  // namespace wl
