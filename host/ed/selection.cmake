# Selection sets, entity picks, the view and the built-in commands of the editor.
target_sources(drafthost_ed PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/View.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionShape.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionEngine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionSets.cpp
)
