# sidecar codec, code pages, source writer
target_sources(orvelt_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AnsiCodePages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CodePage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DosDateTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RtfCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SourceWriter.cpp
)
