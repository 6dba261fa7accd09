# Writes the page's service worker into SITE from its template: every file
# of the folder with its SHA-256, and a cache name made of all of them, so
# that a build with any file changed keeps its files apart from the last.
#   cmake -DSITE=FOLDER -P stamp_worker.cmake
cmake_minimum_required(VERSION 3.25)
set(worker service_worker.js)
set(template ${CMAKE_CURRENT_LIST_DIR}/../platform/web/${worker}.in)
if(NOT IS_DIRECTORY "${SITE}")
  message(FATAL_ERROR "SITE must name the page's folder")
endif()

get_filename_component(SITE ${SITE} ABSOLUTE)
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names ${worker})
if(NOT index.html IN_LIST names)
  message(FATAL_ERROR "${SITE} holds no page")
endif()
list(SORT names)
set(entries "")
set(listing "")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} digest)
  list(APPEND entries "\n  \"${name}\": \"${digest}\"")
  string(APPEND listing "${name} ${digest}\n")
endforeach()
list(JOIN entries "," FILES)
set(FILES "{${FILES}\n}")
string(SHA256 BUILD "${listing}")
string(SUBSTRING ${BUILD} 0 16 BUILD)
configure_file(${template} ${SITE}/${worker} @ONLY)
# Newer than what it was made from even when unchanged, so the build
# leaves it be until one of them changes.
file(TOUCH ${SITE}/${worker})
