# Bitmaps of the source drawn by generators in tools/artwork/ (built for the
# build machine with qx_host_tool) into ${QX_ARTWORK}; each generated file is
# appended to QX_SOURCE_BITMAPS so that the resource script is rebuilt when
# it changes. bitmaps.rc names them as resources.
