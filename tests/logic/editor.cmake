# editor logic tests
orvelt_logic_test(editor_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/CodePageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DosDateTimeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RtfCodecTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SourceWriterTest.cpp
)
