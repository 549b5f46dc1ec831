// Object helpers with a C++ form, and the compatibility names kept for old
// callers: the memory-size queries of 16-bit Windows answer 0, the VBX
// control names answer "" or do nothing, as VBX controls exist only there.
#pragma once

#include <memory>
#include <string>

namespace wl {

// 1 when the object is of that class or derives from it, else 0.
template <class Class, class Object>
int CHILDLEVEL(const Object* o) {
    return dynamic_cast<const Class*>(o) != nullptr ? 1 : 0;
}
// A copy of the object.
template <class Object>
std::unique_ptr<Object> OCLONE(const Object& o) {
    return std::make_unique<Object>(o);
}

inline int NTXPOS() { return 0; }
inline int NINITDSSIZE() { return 0; }
inline int NSYMPSIZE() { return 0; }
inline int NSTACKSIZE() { return 0; }
inline int NHEAPSIZE() { return 0; }
inline std::string VBXCLASSNAME() { return ""; }
inline void ULOADOBJECT() {}
inline void VBXEVENT() {}
inline void LOADVBX() {}
inline void TVBCONTROL() {}
inline void WINDOWSFIX() {}
inline void SETMULTIPLE() {}

}  // namespace wl
