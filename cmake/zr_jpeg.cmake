# libjpeg as the target JPEG::JPEG. Natively Debian's libjpeg-dev; for
# Windows the static libjpeg-turbo that scripts/setup builds from Debian's
# source package into ZR_DEPS_CACHE (see zr_png.cmake).
if(ZR_WIN32)
  set(_zr_jpeg_dir "${ZR_DEPS_CACHE}/${_zr_triplet}")
  if(NOT EXISTS "${_zr_jpeg_dir}/lib/libjpeg.a" OR NOT EXISTS "${_zr_jpeg_dir}/include/jpeglib.h")
    message(FATAL_ERROR "libjpeg for ${_zr_triplet} is missing from ${ZR_DEPS_CACHE}: run scripts/setup")
  endif()
  add_library(JPEG::JPEG STATIC IMPORTED)
  set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION "${_zr_jpeg_dir}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${_zr_jpeg_dir}/include")
else()
  find_package(JPEG REQUIRED)
endif()
