orvelt_logic_test(bib_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/BibModelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BibReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BibRoundTripTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BibWriterTest.cpp
)
