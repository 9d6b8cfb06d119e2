# dh_part_enabled(<name> <out-var>): whether a folder takes part in this configuration.
function(dh_part_enabled name out)
    # Container folders are always walked; their children are gated.
    set(_containers host tests bench tools)
    if(DH_PARTS STREQUAL "" OR name IN_LIST DH_PARTS OR name IN_LIST _containers)
        set(${out} TRUE PARENT_SCOPE)
    else()
        set(${out} FALSE PARENT_SCOPE)
    endif()
endfunction()

# dh_add_part_dirs(<dir>...): add each existing, enabled sub-folder of the current folder.
macro(dh_add_part_dirs)
    foreach(_dir ${ARGN})
        dh_part_enabled(${_dir} _enabled)
        if(_enabled AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/CMakeLists.txt)
            add_subdirectory(${_dir})
        endif()
    endforeach()
endmacro()
