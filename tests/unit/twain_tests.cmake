# Unit tests of the TWAIN handlers' portable parts (capabilities, transfer).
target_sources(core_unit_test PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capability_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_picture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_layout_test.cpp)

