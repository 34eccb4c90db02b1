# Bitmaps of the source drawn by generators in tools/artwork/ (built for the
# build machine with qx_host_tool) into ${QX_ARTWORK}; each generated file is
# appended to QX_SOURCE_BITMAPS so that the resource script is rebuilt when
# it changes. bitmaps.rc names them as resources.

# The main scan window's bitmaps. Their label text is rendered by
# ImageMagick from a bold Latin face and a Japanese gothic (Debian packages
# imagemagick, fonts-dejavu-core and fonts-ipafont-gothic).
find_program(QX_IMAGEMAGICK_CONVERT convert NO_CMAKE_FIND_ROOT_PATH)
find_file(QX_LABEL_FONT DejaVuSansCondensed-Bold.ttf PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_file(QX_JAPANESE_LABEL_FONT ipagp.ttf PATHS /usr/share/fonts/opentype/ipafont-gothic NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
foreach(needed QX_IMAGEMAGICK_CONVERT QX_LABEL_FONT QX_JAPANESE_LABEL_FONT)
  if(NOT ${needed})
    message(FATAL_ERROR "${needed} not found: the main scan window's labels need ImageMagick, "
                        "fonts-dejavu-core and fonts-ipafont-gothic (tools/setup-machine.sh)")
  endif()
endforeach()

qx_host_tool(QX_MAKE_SOURCE_BITMAPS make_source_bitmaps)
set(QX_MAIN_WINDOW_BITMAPS
  preview_bmp
  ftype_jp_bmp isize_jp_bmp ireso_jp_bmp ebias_jp_bmp cbala_jp_bmp
  button_801 button_802 button_803 button_804 button_805 button_806 button_810 button_822
  button_900 button_901 button_910 button_911
  preview_on preview_on_jp scan_on scan_on_jp
  mask_h masko_h mask_v masko_v mask_ah masko_ah mask_av masko_av
  res_bar)
list(TRANSFORM QX_MAIN_WINDOW_BITMAPS PREPEND ${QX_ARTWORK}/)
list(TRANSFORM QX_MAIN_WINDOW_BITMAPS APPEND .bmp)
add_custom_command(OUTPUT ${QX_MAIN_WINDOW_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_ARTWORK}
  COMMAND ${QX_MAKE_SOURCE_BITMAPS} ${QX_ARTWORK} ${QX_IMAGEMAGICK_CONVERT} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  DEPENDS ${QX_MAKE_SOURCE_BITMAPS} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  COMMENT "Drawing the main scan window's bitmaps")
list(APPEND QX_SOURCE_BITMAPS ${QX_MAIN_WINDOW_BITMAPS})

# The gamma curve window's background.
qx_host_tool(QX_MAKE_GAMMA_BITMAPS make_gamma_bitmaps)
set(QX_GAMMA_WINDOW_BITMAPS ${QX_ARTWORK}/retouch_bmp.bmp)
add_custom_command(OUTPUT ${QX_GAMMA_WINDOW_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_ARTWORK}
  COMMAND ${QX_MAKE_GAMMA_BITMAPS} ${QX_ARTWORK}
  DEPENDS ${QX_MAKE_GAMMA_BITMAPS}
  COMMENT "Drawing the gamma curve window's background")
list(APPEND QX_SOURCE_BITMAPS ${QX_GAMMA_WINDOW_BITMAPS})

# The index window's tool button images and the legend of its display
# options, English and Japanese; the legend's texts are rendered like the
# main scan window's labels.
qx_host_tool(QX_MAKE_INDEX_BITMAPS make_index_bitmaps)
set(QX_INDEX_WINDOW_BITMAPS
  button_143 button_144 button_145 button_146 button_147 button_148 button_149 button_150 button_151
  index_d index_dj)
list(TRANSFORM QX_INDEX_WINDOW_BITMAPS PREPEND ${QX_ARTWORK}/)
list(TRANSFORM QX_INDEX_WINDOW_BITMAPS APPEND .bmp)
add_custom_command(OUTPUT ${QX_INDEX_WINDOW_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_ARTWORK}
  COMMAND ${QX_MAKE_INDEX_BITMAPS} ${QX_ARTWORK} ${QX_IMAGEMAGICK_CONVERT} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  DEPENDS ${QX_MAKE_INDEX_BITMAPS} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  COMMENT "Drawing the index window's bitmaps")
list(APPEND QX_SOURCE_BITMAPS ${QX_INDEX_WINDOW_BITMAPS})

# The IX window's background with its labels, English and Japanese; the
# labels are rendered like the main scan window's.
qx_host_tool(QX_MAKE_IX_BITMAPS make_ix_bitmaps)
set(QX_IX_WINDOW_BITMAPS ${QX_ARTWORK}/ixwind.bmp ${QX_ARTWORK}/ixwind_j.bmp)
add_custom_command(OUTPUT ${QX_IX_WINDOW_BITMAPS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QX_ARTWORK}
  COMMAND ${QX_MAKE_IX_BITMAPS} ${QX_ARTWORK} ${QX_IMAGEMAGICK_CONVERT} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  DEPENDS ${QX_MAKE_IX_BITMAPS} ${QX_LABEL_FONT} ${QX_JAPANESE_LABEL_FONT}
  COMMENT "Drawing the IX window's background")
list(APPEND QX_SOURCE_BITMAPS ${QX_IX_WINDOW_BITMAPS})

# A test of the Windows build: the bitmaps against what the windows that
# draw them rely on (names in bitmaps.rc, sizes, depths, seams, colours).
qx_host_tool(QX_CHECK_SOURCE_BITMAPS check_source_bitmaps)
add_custom_target(qx52_source_bitmaps_check ALL DEPENDS ${QX_CHECK_SOURCE_BITMAPS} ${QX_SOURCE_BITMAPS})
add_test(NAME source_bitmaps
  COMMAND ${QX_CHECK_SOURCE_BITMAPS} ${QX_ARTWORK} ${CMAKE_CURRENT_SOURCE_DIR}/resources/bitmaps.rc)
