# The program's version, made from the project version and the release stage set beside it in
# the top-level CMakeLists.txt. Everything that shows a version takes it from the generated
# Version.h (target tavrill_version) or from the variables set here; nothing else spells it.
#
#   TAVRILL_VERSION        "1.09"       package names
#   TAVRILL_VERSION_TEXT   "1.09 beta"  what users read
#   TAVRILL_VERSION_QUAD   "1.9.0.0"    the manifest; 1,9,0,0 in the version resource

set(TAVRILL_VERSION ${PROJECT_VERSION})
if(TAVRILL_RELEASE_STAGE)
    set(TAVRILL_VERSION_TEXT "${PROJECT_VERSION} ${TAVRILL_RELEASE_STAGE}")
    set(TAVRILL_VERSION_PRERELEASE 1)
else()
    set(TAVRILL_VERSION_TEXT "${PROJECT_VERSION}")
    set(TAVRILL_VERSION_PRERELEASE 0)
endif()

# "09" is a decimal minor version here, not an octal number in the version resource.
set(parts "")
foreach(part MAJOR MINOR PATCH TWEAK)
    set(value "${PROJECT_VERSION_${part}}")
    if(value STREQUAL "")
        set(value 0)
    endif()
    math(EXPR value "${value} + 0")
    list(APPEND parts ${value})
endforeach()
list(JOIN parts "." TAVRILL_VERSION_QUAD)
list(JOIN parts "," TAVRILL_VERSION_COMMAS)

configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY)
add_library(tavrill_version INTERFACE)
target_include_directories(tavrill_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
