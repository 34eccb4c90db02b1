# Unit tests of the host program's portable parts (layout, bitmap files).
target_sources(core_unit_test PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/korvel_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/korvel_bitmap_format_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/korvel_settings_test.cpp)
target_link_libraries(core_unit_test PRIVATE korvel_core)
