# The Windows program's unattended run under Wine: it converts a realistic
# 837P with its default map created on the fly, writes "parse.log" and ends.
#   cmake -DEXE=... -DWINE_EXEC=... -DSOURCE=... -DWORK=... -P batch_run.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/out")
execute_process(
  COMMAND "${WINE_EXEC}" "${EXE}" "X12,CSV" "Z:${SOURCE}" "Z:${WORK}/out" "OW,HO"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc
  TIMEOUT 120)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the program ended with ${rc}")
endif()
get_filename_component(name "${SOURCE}" NAME_WE)
set(csv "${WORK}/out/${name}.csv")
if(NOT EXISTS "${csv}")
  message(FATAL_ERROR "no output ${csv}")
endif()
file(READ "${csv}" text)
string(FIND "${text}" "BILLINGPROVIDERNAME" title)
if(title EQUAL -1)
  message(FATAL_ERROR "the CSV has no title line")
endif()
file(READ "${WORK}/parse.log" log)
foreach(line "Parse X12 to CSV." "Created and Used Map file 005010X222A2.cfg" "Parse Ended   ")
  string(FIND "${log}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "parse.log lacks '${line}'")
  endif()
endforeach()
if(NOT EXISTS "${WORK}/005010X222A2.cfg")
  message(FATAL_ERROR "the default map was not written")
endif()
message(STATUS "batch run converted ${SOURCE}")

# A run whose conversion fails ends with a failure status, after the window
# has closed by itself.
execute_process(
  COMMAND "${WINE_EXEC}" "${EXE}" "X12,CSV" "Z:${WORK}/missing.x12" "Z:${WORK}/out" "OW"
  WORKING_DIRECTORY "${WORK}"
  RESULT_VARIABLE rc
  TIMEOUT 120)
if(rc EQUAL 0 OR NOT rc MATCHES "^[0-9]+$")
  message(FATAL_ERROR "a failed conversion ended with '${rc}'")
endif()
message(STATUS "a failed conversion ended with ${rc}")
