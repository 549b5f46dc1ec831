# zr_embed_table(TARGET INPUT OUTPUT): the text file INPUT becomes OUTPUT, a
# .inc in the build tree holding the whole text as one C++ raw string
# literal, which TARGET's sources #include. The tables stay plain text that
# a reader can check and extend; an edit of INPUT rebuilds what includes it.
# Run as a script (cmake -DINPUT=... -DOUTPUT=... -P this file), it writes
# OUTPUT, leaving an unchanged one untouched so nothing recompiles needlessly.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" content)
  # A table saved by a Windows editor: its CRs are no part of the texts.
  string(REPLACE "\r" "" content "${content}")
  string(FIND "${content}" ")zrtable\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} holds the literal's closing mark )zrtable\"")
  endif()
  file(WRITE "${OUTPUT}.new" "R\"zrtable(${content})zrtable\"\n")
  file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUTPUT}.new")
  return()
endif()

set(ZR_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(zr_embed_table target input output)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/embedded)
  set(out ${dir}/${output})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_CURRENT_SOURCE_DIR}/${input} -DOUTPUT=${out} -P ${ZR_EMBED_SCRIPT}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${input} ${ZR_EMBED_SCRIPT}
    COMMENT "Embedding ${input}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
