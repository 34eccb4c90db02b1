# The portable parts of the TWAIN triplet handlers, in both builds.
target_sources(qx52core PRIVATE
  twain/capability_containers.cpp
  twain/capability_table.cpp
  twain/transfer_picture.cpp
  twain/image_layout.cpp)
