# zr_glob_library(NAME): a static library of every .cpp in the calling
# folder (an interface library while the folder has none yet). Files ending
# in _posix.cpp build only natively, files ending in _win32.cpp only for
# Windows.
function(zr_glob_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ZR_WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
endfunction()

# zr_link(NAME LIBS...): links whichever kind zr_glob_library made.
function(zr_link name)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

# zr_link_seams(TARGET): a Windows program takes the Windows half of
# wl_function's seams (nothing to do natively, where the _posix files are
# part of wl_function).
function(zr_link_seams name)
  if(ZR_WIN32)
    target_link_libraries(${name} PRIVATE wl_native_seam)
  endif()
endfunction()

# The headers nearly every file of the window library and the screens
# parses: the Windows headers alone are about half of each file's
# preprocessed lines, so they are compiled once per library.
set(ZR_WINDOWS_PCH <windows.h> <commctrl.h> <string> <vector> <optional> <functional> <memory> <array>)

# zr_windows_pch(TARGET): precompiles ZR_WINDOWS_PCH for a Windows library.
function(zr_windows_pch name)
  target_precompile_headers(${name} PRIVATE ${ZR_WINDOWS_PCH})
endfunction()

# zr_screens_library(NAME SOURCES files... LIBS libs...): a folder's
# screens (Windows only): a static library of SOURCES with the folder's
# screens/ subfolder as its include folder, on top of LIBS and the window
# library, with the Windows headers precompiled. New screens folders use it.
function(zr_screens_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/screens)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} wl_classes)
  zr_windows_pch(${name})
endfunction()
