# Eight unattended runs at once in one folder, all writing the same output
# with "OW", all creating the default map and writing "parse.log": each run
# either converts or says that another run's output took its place; the
# output, the map and the log are each one run's whole file, and no
# temporary file is left.
#   cmake -DEXE=... [-DWINE_EXEC=...] -DSOURCE=... -DWORK=... -P concurrent_runs.cmake
# (The Windows program still shows its failure messages in a box that
# waits for a click, so it runs here natively only; the file steps it
# shares are tested under Wine in function_test and engine_test.)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/out")
set(prefix "")
set(drive "")
if(WINE_EXEC)
  set(prefix "${WINE_EXEC}")
  set(drive "Z:")
endif()
# One pipeline of eight commands: execute_process starts them together.
set(commands "")
foreach(i RANGE 1 8)
  list(APPEND commands COMMAND ${prefix} "${EXE}" "X12,CSV" "${drive}${SOURCE}" "${drive}${WORK}/out/all.csv" "OW,HO")
endforeach()
execute_process(${commands}
  WORKING_DIRECTORY "${WORK}"
  RESULTS_VARIABLE codes
  OUTPUT_QUIET ERROR_VARIABLE said
  TIMEOUT 300)
set(converted 0)
foreach(code IN LISTS codes)
  if(code EQUAL 0)
    math(EXPR converted "${converted} + 1")
  elseif(NOT code EQUAL 1)
    message(FATAL_ERROR "a run ended with '${code}': ${said}")
  endif()
endforeach()
if(converted EQUAL 0)
  message(FATAL_ERROR "no run converted: ${codes}\n${said}")
endif()
# Each failed run says why; nothing else may have failed.
string(REGEX MATCHALL "Failed : [^\n]*" failures "${said}")
foreach(line IN LISTS failures)
  if(NOT line MATCHES "Output Changed by Another Run, Not Replaced")
    message(FATAL_ERROR "a run failed otherwise: ${line}\n${said}")
  endif()
endforeach()
file(GLOB left "${WORK}/*.zrtmp" "${WORK}/out/*.zrtmp")
if(left)
  message(FATAL_ERROR "temporary files left: ${left}")
endif()
# The output is one run's whole output: a single run alone writes the same
# (to the same path, which the rows name).
file(READ "${WORK}/out/all.csv" together)
file(REMOVE "${WORK}/out/all.csv")
file(MAKE_DIRECTORY "${WORK}/alone")
execute_process(COMMAND ${prefix} "${EXE}" "X12,CSV" "${drive}${SOURCE}" "${drive}${WORK}/out/all.csv" "OW,HO"
  WORKING_DIRECTORY "${WORK}/alone" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET TIMEOUT 120)
file(READ "${WORK}/out/all.csv" alone)
if(NOT rc EQUAL 0 OR NOT together STREQUAL alone)
  message(FATAL_ERROR "the output of eight runs differs from one run's")
endif()
file(READ "${WORK}/alone/005010X222A2.cfg" map)
file(READ "${WORK}/005010X222A2.cfg" shared)
if(NOT map STREQUAL shared)
  message(FATAL_ERROR "the default map written by eight runs is not whole")
endif()
file(READ "${WORK}/parse.log" log)
string(FIND "${log}" "Parse Ended   " ended)
string(REGEX MATCHALL "X12 Parser Log" headers "${log}")
list(LENGTH headers n)
if(ended EQUAL -1 OR NOT n EQUAL 1)
  message(FATAL_ERROR "parse.log is not one run's whole log")
endif()
message(STATUS "${converted} of 8 runs converted; the others said another run's output took the place")
