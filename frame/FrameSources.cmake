# Sources of the module frame, included by the module folders. Each module compiles its own
# copy: the frame's statics (application object, start-up record) are per module.
set(DH_FRAME_CORE
    ${CMAKE_SOURCE_DIR}/frame/AcRxDbxApp.cpp
    ${CMAKE_SOURCE_DIR}/frame/AcRxArxApp.cpp
    ${CMAKE_SOURCE_DIR}/frame/LispRegistry.cpp
    ${CMAKE_SOURCE_DIR}/frame/ModuleHandle.cpp)
# Only in the modules themselves: start-up, shut-down and the exported entry points.
set(DH_FRAME_MODULE ${CMAKE_SOURCE_DIR}/frame/ModuleLifetime.cpp)
