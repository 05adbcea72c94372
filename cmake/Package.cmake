# The release package of a Windows build: a ZIP named with the version and the word size
# (package/delphi-tavrill-1.09-win64.zip in the build tree) that holds everything a user needs
# beside tavrill.exe. Built with the rest; scripts/package.sh gathers the packages into dist/.
if(NOT WIN32 OR NOT TARGET tavrill)
    return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(word_size win64)
else()
    set(word_size win32)
endif()
set(TAVRILL_PACKAGE_NAME delphi-tavrill-${TAVRILL_VERSION}-${word_size})
set(TAVRILL_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/package/${TAVRILL_PACKAGE_NAME}.zip)
set(TAVRILL_PACKAGE_FILES tavrill.exe tavrill-text.exe tav_help.html README.txt UnitHead.txt ProcHead.txt)

set(staging ${CMAKE_BINARY_DIR}/package/files)
# README.txt is read with Notepad and the like: CR LF.
configure_file(${PROJECT_SOURCE_DIR}/resources/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY
               NEWLINE_STYLE CRLF)

add_custom_command(
    OUTPUT ${TAVRILL_PACKAGE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavrill> $<TARGET_FILE:tavrill-text> ${TAVRILL_HELP_PAGE}
            ${CMAKE_BINARY_DIR}/package/README.txt ${PROJECT_SOURCE_DIR}/resources/UnitHead.txt
            ${PROJECT_SOURCE_DIR}/resources/ProcHead.txt ${staging}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TAVRILL_PACKAGE_ZIP}
    # The files lie at the top of the ZIP: unzipped into a folder, they are the installation.
    COMMAND ${CMAKE_COMMAND} -E chdir ${staging} ${CMAKE_COMMAND} -E tar cf ${TAVRILL_PACKAGE_ZIP} --format=zip
            ${TAVRILL_PACKAGE_FILES}
    DEPENDS tavrill tavrill-text tavrill_help ${TAVRILL_HELP_PAGE} ${CMAKE_BINARY_DIR}/package/README.txt
            ${PROJECT_SOURCE_DIR}/resources/UnitHead.txt ${PROJECT_SOURCE_DIR}/resources/ProcHead.txt
    COMMENT "Packing ${TAVRILL_PACKAGE_NAME}.zip"
    VERBATIM)
add_custom_target(tavrill_package ALL DEPENDS ${TAVRILL_PACKAGE_ZIP})
