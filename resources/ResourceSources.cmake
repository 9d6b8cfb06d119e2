# Sources of the modules' resources, included by the module folders.
set(DH_RESOURCES_COMMON ${CMAKE_SOURCE_DIR}/resources/ResourceTable.cpp)
set(DH_RESOURCES_KELVANE ${DH_RESOURCES_COMMON} ${CMAKE_SOURCE_DIR}/resources/KelvaneResources.cpp)
set(DH_RESOURCES_TERRAVUE ${DH_RESOURCES_COMMON} ${CMAKE_SOURCE_DIR}/resources/TerravueResources.cpp)
