# Windows tests run under Wine: transfer.
# The transfer and capability triplets in process (the shell, the resources
# and DS_Entry linked in), and a few through the installed qx52ds.ds.
qx_add_gtest_exe(image_transfer_test
  SOURCES image_transfer_test.cpp ${PROJECT_SOURCE_DIR}/source/twain/ds_entry.cpp $<TARGET_OBJECTS:qx52ds_resources>
  LIBS qx52shell)
add_dependencies(image_transfer_test qx52ds)
