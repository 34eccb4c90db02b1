# Windows tests run under Wine: korvel.
# korvel_test runs KORVEL's window in its own process (the shell library and
# the resources linked in), installs the picture source below the prefix's
# twain_32 folder and acquires from it through our TWAIN_32.DLL, and starts
# KORVEL.EXE once to drive it by messages as a script would.
add_subdirectory(${PROJECT_SOURCE_DIR}/tests/picture_source ${CMAKE_BINARY_DIR}/tests/picture_source)

qx_add_gtest_exe(korvel_test
  SOURCES korvel_environment.cpp korvel_window_test.cpp korvel_transfer_test.cpp korvel_files_test.cpp
          $<TARGET_OBJECTS:korvel_resources>
  LIBS korvel_shell)
target_compile_definitions(korvel_test PRIVATE
  PICTURE_SOURCE_UNIX_PATH="$<TARGET_FILE:picture_source>"
  KORVEL_EXE_UNIX_PATH="$<TARGET_FILE:korvel>")
add_dependencies(korvel_test picture_source korvel twain_manager)
