# token scanner and keyword table
target_sources(orvelt_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BlockTokenReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaretToken.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeywordList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeywordTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TokenScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TokenStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TypingHighlight.cpp
)
