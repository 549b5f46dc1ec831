# libpng as the target PNG::PNG. Natively Debian's libpng-dev; for Windows
# the static library that scripts/setup builds from Debian's source package
# into ZR_DEPS_CACHE (default ~/.cache/zrk7w315), over the mingw zlib.
if(ZR_WIN32)
  if(DEFINED ENV{ZR_DEPS_CACHE})
    set(_zr_cache_default "$ENV{ZR_DEPS_CACHE}")
  elseif(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
    set(_zr_cache_default "$ENV{HOME}/.cache/zrk7w315")
  else()
    set(_zr_cache_default "/root/.cache/zrk7w315")  # as scripts/setup without HOME
  endif()
  set(ZR_DEPS_CACHE "${_zr_cache_default}" CACHE PATH "Libraries built by scripts/setup")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(_zr_triplet i686-w64-mingw32)
  else()
    set(_zr_triplet x86_64-w64-mingw32)
  endif()
  set(_zr_png_dir "${ZR_DEPS_CACHE}/${_zr_triplet}")
  if(NOT EXISTS "${_zr_png_dir}/lib/libpng.a" OR NOT EXISTS "${_zr_png_dir}/include/png.h")
    message(FATAL_ERROR "libpng for ${_zr_triplet} is missing from ${ZR_DEPS_CACHE}: run scripts/setup")
  endif()
  find_library(ZR_MINGW_ZLIB NAMES libz.a z REQUIRED)
  add_library(PNG::PNG STATIC IMPORTED)
  set_target_properties(PNG::PNG PROPERTIES
    IMPORTED_LOCATION "${_zr_png_dir}/lib/libpng.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_zr_png_dir}/include"
    INTERFACE_LINK_LIBRARIES "${ZR_MINGW_ZLIB}")
else()
  find_package(PNG REQUIRED)
endif()
