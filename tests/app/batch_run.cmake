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

# ---------------------------------------------------------------------------
# Unattended runs never wait for a click: each case below ends on its own
# (a box would hold the run until the time limit), with its reason in the
# run log and its exit status. "/sys" takes no new file even for root, so it
# stands for a folder the user may not write.

# Runs the program in `dir` with the words after it; sets rc, err (the error
# output) and log (the "parse.log" named by LOG, "" when none).
function(zr_unattended dir logfile)
  execute_process(
    COMMAND "${WINE_EXEC}" "${EXE}" ${ARGN}
    WORKING_DIRECTORY "${dir}"
    RESULT_VARIABLE code
    ERROR_VARIABLE stderr
    OUTPUT_QUIET
    TIMEOUT 90)
  if(NOT code MATCHES "^[0-9]+$")
    message(FATAL_ERROR "'${ARGN}' did not end by itself: ${code}")
  endif()
  set(text "")
  if(EXISTS "${logfile}")
    file(READ "${logfile}" text)
    file(REMOVE "${logfile}")
  endif()
  set(rc "${code}" PARENT_SCOPE)
  set(err "${stderr}" PARENT_SCOPE)
  set(log "${text}" PARENT_SCOPE)
endfunction()

function(zr_expect_lines what)
  foreach(line ${ARGN})
    string(FIND "${log}" "${line}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: parse.log lacks '${line}':\n${log}")
    endif()
  endforeach()
endfunction()

function(zr_expect_status what failing)
  if(failing AND rc EQUAL 0)
    message(FATAL_ERROR "${what}: ended with 0")
  elseif(NOT failing AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: ended with ${rc}")
  endif()
endfunction()

set(plog "${WORK}/parse.log")

# The first run's log ends with the closing count.
# (line ends compared without their CR)
string(REPLACE "\r" "" log "${log}")
set(count "\n1 converted, 0 converted with lost data, 0 failed, 0 skipped\n")
string(LENGTH "${log}" size)
string(LENGTH "${count}" count_size)
math(EXPR at "${size} - ${count_size}")
string(SUBSTRING "${log}" ${at} -1 closing)
if(NOT closing STREQUAL count)
  message(FATAL_ERROR "the log does not end with the count line")
endif()

# A missing source is named, and the run fails.
zr_unattended("${WORK}" "${plog}" "X12,CSV" "Z:${WORK}/missing.x12" "Z:${WORK}/out" "OW")
zr_expect_status("missing source" ON)
zr_expect_lines("missing source" "Source Not Found : " "0 converted, 0 converted with lost data, 1 failed")

# A conversion type without a source fails.
zr_unattended("${WORK}" "${plog}" "X12,CSV")
zr_expect_status("no source" ON)
zr_expect_lines("no source" "Parameter 2 empty." "No Source Given for X12,CSV")

# A destination folder that cannot be written: the run goes on to its end.
zr_unattended("${WORK}" "${plog}" "X12,CSV" "Z:${SOURCE}" "Z:/sys" "OW,HO")
zr_expect_status("unwritable destination" ON)
zr_expect_lines("unwritable destination" "Cfile <ERROR> FC-Create" "Failed : ")

# CSV,X12 given an X12 file.
zr_unattended("${WORK}" "${plog}" "CSV,X12" "Z:${SOURCE}" "Z:${WORK}/out" "OW")
zr_expect_status("X12 file as CSV" ON)
zr_expect_lines("X12 file as CSV" "No Record in Source, No X12 Built" "Failed : ")

# The output would replace its source: refused, the source kept.
file(MAKE_DIRECTORY "${WORK}/same")
file(COPY_FILE "${SOURCE}" "${WORK}/same/claims.csv")
zr_unattended("${WORK}" "${plog}" "X12,CSV" "Z:${WORK}/same/claims.csv" "Z:${WORK}/same" "OW")
zr_expect_status("output is the source" ON)
zr_expect_lines("output is the source" "Run Refused : Output is a Source")
file(READ "${WORK}/same/claims.csv" kept)
file(READ "${SOURCE}" original)
if(NOT kept STREQUAL original)
  message(FATAL_ERROR "a refused run changed its source")
endif()

# A current folder that cannot be written: the default map is used from
# memory and said so, the output is written.
file(MAKE_DIRECTORY "${WORK}/out2")
zr_unattended("/sys" "${WORK}/run2.log" "X12,CSV" "Z:${SOURCE}" "Z:${WORK}/out2" "OW,HO,PARSELOG=Z:${WORK}/run2.log")
zr_expect_status("unwritable current folder" OFF)
zr_expect_lines("unwritable current folder" "Map 005010X222A2.cfg not written, error"
                "Map file 005010X222A2.cfg Not Saved, Used from Memory" "Converted : ")
string(FIND "${log}" "Mapping Error" bad)
if(NOT bad EQUAL -1 OR NOT EXISTS "${WORK}/out2/${name}.csv")
  message(FATAL_ERROR "unwritable current folder: the map in memory was not used:\n${log}")
endif()

# ... and when "parse.log" itself cannot be written there, the error output
# says so and the run fails.
zr_unattended("/sys" "${WORK}/none.log" "X12,CSV" "Z:${SOURCE}" "Z:${WORK}/out2" "OW,HO")
zr_expect_status("unwritable parse.log" ON)
string(FIND "${err}" "the run log was not written" said)
if(said EQUAL -1)
  message(FATAL_ERROR "unwritable parse.log: nothing said on the error output: ${err}")
endif()
message(STATUS "every unattended case ended by itself")
