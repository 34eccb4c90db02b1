# The source manager's tests (included from tests/win32/CMakeLists.txt, after
# tests/host, tests/fake_source and qx_add_gtest_exe are there).
# source_manager_test copies fake_source.ds below C:\windows\twain_32\ of the
# test prefix and drives our TWAIN_32.DLL there.
qx_add_gtest_exe(source_manager_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/source_manager_test.cpp LIBS twain_app user32)
target_compile_definitions(source_manager_test PRIVATE FAKE_SOURCE_UNIX_PATH="$<TARGET_FILE:fake_source>")
add_dependencies(source_manager_test fake_source twain_manager)

# The host program lists the sources the prefix holds; the film scanner's
# source, installed by the prefix set-up, must be among them (its line
# starts with its product name; the count alone would also match "0
# source(s)").
add_test(NAME test_host_list COMMAND ${QX_TOOLS}/wine-run.sh $<TARGET_FILE:test_host> --list)
set_tests_properties(test_host_list PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${QX_WINE_ENV}" TIMEOUT 120
                     PASS_REGULAR_EXPRESSION "\n  VANTERA QX-52 32Bit \\(VANTERA OPTICAL")
