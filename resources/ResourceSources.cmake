# Sources of the modules' resources, included by the module folders.
set(DH_RESOURCES_KELVANE ${CMAKE_SOURCE_DIR}/resources/KelvaneResources.cpp)
set(DH_RESOURCES_TERRAVUE ${CMAKE_SOURCE_DIR}/resources/TerravueResources.cpp)
