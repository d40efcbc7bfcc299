orvelt_logic_test(app_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/SettingValuesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsTablesTest.cpp
)
