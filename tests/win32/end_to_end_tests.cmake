# The whole road of one scan through our source manager and the installed
# data source, with the virtual scanner as the port driver.
qx_add_gtest_exe(end_to_end_test
  SOURCES end_to_end_test.cpp
  LIBS twain_app qx52core qx_simulator qx_profile_settings user32)
add_dependencies(end_to_end_test qx52ds twain_manager qx52sim)

# The main scan window in process: controls, states, tool tips.
qx_add_gtest_exe(main_window_test
  SOURCES main_window_test.cpp $<TARGET_OBJECTS:qx52ds_resources>
  LIBS qx52shell)
# The road through KORVEL: the test starts the unattended driver.
target_compile_definitions(end_to_end_test PRIVATE
  QX_KORVEL="$<TARGET_FILE:korvel>" QX_KORVEL_DRIVER="$<TARGET_FILE:korvel_driver>")
add_dependencies(end_to_end_test korvel korvel_driver)
