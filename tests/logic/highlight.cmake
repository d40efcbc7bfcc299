# highlight logic tests
orvelt_logic_test(highlight_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/CaretTokenTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeywordTableTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TokenScannerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BlockTokenReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TypingHighlightTest.cpp
)
