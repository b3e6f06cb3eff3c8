# Every date a build writes into a Windows program (the PE header's time
# stamp of the installer, of the pr32.exe it carries and of the test tools)
# is the source's date, not the build's clock, so that two builds of one
# commit give the same bytes: SOURCE_DATE_EPOCH when the caller sets it, else
# the time of the last commit, or outside a git checkout the modification
# time of this tree's top CMakeLists.txt (an archive made by git archive
# dates its files from the commit). GNU ld takes the time stamp from
# SOURCE_DATE_EPOCH in its environment.
#
# Sets TESSALY_SOURCE_DATE_EPOCH and TESSALY_SOURCE_DATE_FILE, a file holding
# the value that is rewritten only when the value changes: programs that
# carry the date depend on it, so a new commit relinks them.

if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(TESSALY_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE TESSALY_SOURCE_DATE_EPOCH
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_result
    ERROR_QUIET)
  if(NOT git_result EQUAL 0)
    set(TESSALY_SOURCE_DATE_EPOCH "")
  endif()
endif()
if(NOT TESSALY_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  file(TIMESTAMP ${CMAKE_SOURCE_DIR}/CMakeLists.txt TESSALY_SOURCE_DATE_EPOCH "%s" UTC)
endif()

set(TESSALY_SOURCE_DATE_FILE ${CMAKE_BINARY_DIR}/source_date_epoch.txt)
file(CONFIGURE OUTPUT ${TESSALY_SOURCE_DATE_FILE} CONTENT "${TESSALY_SOURCE_DATE_EPOCH}\n")
