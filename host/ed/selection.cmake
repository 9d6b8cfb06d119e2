# Selection sets, entity picks, the view and the built-in commands of the editor.
target_sources(drafthost_ed PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/View.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionShape.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionEngine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionFilter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionSets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionAnswer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionRequest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntityShapes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntityFilterSubject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DrawingSelector.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionGet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EntityPick.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandRunner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltinCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectionLisp.cpp
)
