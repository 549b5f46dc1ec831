# The source-code editor's component for Windows: Scintilla and Lexilla as
# DLLs that scripts/setup builds from Debian's scite source package into
# ZR_DEPS_CACHE. zr_copy_scintilla(TARGET) puts them beside a program, the
# component under the name the editor loads ("SciLexer.DLL").
if(ZR_WIN32)
  set(ZR_SCINTILLA_DIR "${ZR_DEPS_CACHE}/${_zr_triplet}/scintilla")
  if(NOT EXISTS "${ZR_SCINTILLA_DIR}/Scintilla.dll" OR NOT EXISTS "${ZR_SCINTILLA_DIR}/Lexilla.dll")
    message(FATAL_ERROR "Scintilla for ${_zr_triplet} is missing from ${ZR_DEPS_CACHE}: run scripts/setup")
  endif()
endif()

function(zr_copy_scintilla target)
  if(ZR_WIN32)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZR_SCINTILLA_DIR}/Scintilla.dll
              $<TARGET_FILE_DIR:${target}>/SciLexer.dll
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZR_SCINTILLA_DIR}/Lexilla.dll
              $<TARGET_FILE_DIR:${target}>/Lexilla.dll)
  endif()
endfunction()
