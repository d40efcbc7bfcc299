# editing keystrokes: key conversion, key-down checks, brace search, completion, bookmarks
target_sources(orvelt_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkShift.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BraceSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandCompletion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyDownPlan.cpp
)
