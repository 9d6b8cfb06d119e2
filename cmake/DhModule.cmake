# Plug-in modules: a shared object without the "lib" prefix that exports only its entry
# points (listed in EXPORTS, a linker version script) and links only against libdrafthost.
#
#   dh_add_module(<Name> SOURCES <src>... EXPORTS <file.map> [TOOLKIT] [LIBS <lib>...])
#
# TOOLKIT links the toolkit/ static library (hidden symbols): the module's private copy.
function(dh_add_module name)
    cmake_parse_arguments(ARG "TOOLKIT" "EXPORTS" "SOURCES;LIBS" ${ARGN})
    add_library(${name} SHARED ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/host/include ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE libdrafthost ${ARG_LIBS})
    if(ARG_EXPORTS)
        target_link_options(${name} PRIVATE
            "-Wl,--version-script=${ARG_EXPORTS}" "-Wl,--no-undefined")
        set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${ARG_EXPORTS})
    endif()
    if(ARG_TOOLKIT)
        if(NOT TARGET toolkit)
            message(FATAL_ERROR "dh_add_module(${name} TOOLKIT): toolkit/ is not configured")
        endif()
        target_link_libraries(${name} PRIVATE toolkit)
    endif()
endfunction()
