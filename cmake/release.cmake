# The release this source makes, one for every build (the Linux program and
# its package, the Windows program, the page): its version, and its date,
# the last commit's, which the package and the metainfo carry and every
# reproducible file is stamped with. Included before project();
#   cmake -P cmake/release.cmake
# prints the version and the date in seconds since 1970, for the scripts.
set(KALVENOR_VERSION 1.0)

# A source archive has no history: git archive writes the commit's date into
# release_epoch instead. A build may hand the date in.
if(NOT KALVENOR_SOURCE_EPOCH)
  file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/release_epoch KALVENOR_SOURCE_EPOCH LIMIT_COUNT 1)
  if(NOT KALVENOR_SOURCE_EPOCH MATCHES "^[0-9]+$")
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}
                    OUTPUT_VARIABLE KALVENOR_SOURCE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE no_history ERROR_QUIET)
    if(no_history)
      message(FATAL_ERROR "no release date: this source is neither a git checkout nor a source archive")
    endif()
  endif()
endif()

# string(TIMESTAMP) reads its time from SOURCE_DATE_EPOCH.
set(outer_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${KALVENOR_SOURCE_EPOCH})
string(TIMESTAMP KALVENOR_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP KALVENOR_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${outer_epoch}")

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${KALVENOR_VERSION} ${KALVENOR_SOURCE_EPOCH}")
endif()
