# editing keystroke logic tests
orvelt_logic_test(keys_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkShiftTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BraceSearchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandCompletionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyConversionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyDownPlanTest.cpp
)
