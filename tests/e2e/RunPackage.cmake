# Unzips the release package into a fresh folder, checks what it holds, and runs an end-to-end
# session against the tavrill.exe in it, from that folder, with the files beside it.
#   cmake -DZIP=... -DFOLDER=... -DFILES="a;b" -DE2E=tavrill_e2e.exe [-DEMULATOR=...] -DFILTER=...
#         -P RunPackage.cmake
if(NOT EXISTS "${ZIP}")
    message(FATAL_ERROR "${ZIP} is missing: build the target tavrill_package")
endif()
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${ZIP}" WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot unzip ${ZIP}")
endif()

file(GLOB unzipped RELATIVE "${FOLDER}" "${FOLDER}/*")
list(SORT unzipped)
set(expected ${FILES})
list(SORT expected)
if(NOT unzipped STREQUAL expected)
    message(FATAL_ERROR "the package holds [${unzipped}], not [${expected}]")
endif()
file(READ "${FOLDER}/README.txt" readme HEX)
string(REGEX MATCHALL "(^|[^d])0a" bare_line_feeds "${readme}")
if(NOT readme MATCHES "0d0a" OR bare_line_feeds)
    message(FATAL_ERROR "README.txt does not end every line with CR LF")
endif()

set(ENV{TAVRILL_E2E_PROGRAM_FOLDER} "${FOLDER}")
execute_process(COMMAND ${EMULATOR} "${E2E}" --gtest_filter=${FILTER} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the session from the unzipped package failed")
endif()

# Besides its own files the program keeps only its settings, stash and function list there.
file(GLOB after RELATIVE "${FOLDER}" "${FOLDER}/*")
list(REMOVE_ITEM after ${FILES} tavrill.ini stash fnlist.dat)
if(after)
    message(FATAL_ERROR "the program left [${after}] in its folder")
endif()
