# Plug-in modules: a shared object without the "lib" prefix that exports only its entry
# points (listed in EXPORTS, a linker version script) and links only against libdrafthost.
#
#   dh_add_module(<Name> SOURCES <src>... EXPORTS <file.map> [TOOLKIT] [LIBS <lib>...])
#
# TOOLKIT links a private copy of toolkit/ built for this module alone, with hidden symbols.
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
        if(NOT DEFINED DH_TOOLKIT_SOURCES)
            message(FATAL_ERROR "dh_add_module(${name} TOOLKIT): toolkit/ is not configured")
        endif()
        add_library(${name}_toolkit STATIC ${DH_TOOLKIT_SOURCES})
        set_target_properties(${name}_toolkit PROPERTIES
            CXX_VISIBILITY_PRESET hidden
            VISIBILITY_INLINES_HIDDEN ON)
        target_include_directories(${name}_toolkit PUBLIC
            ${CMAKE_SOURCE_DIR}/host/include ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name}_toolkit PUBLIC libdrafthost)
        target_link_libraries(${name} PRIVATE ${name}_toolkit)
    endif()
endfunction()
