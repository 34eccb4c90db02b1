# Stages and compiles one help file; run by CMakeLists.txt with cmake -P.
#   NAME            icons, trouble, icons_j or trouble_j
#   SOURCE_DIR      this folder (pages, contents, project, stylesheet)
#   STAGE_DIR       a folder of its own in the build tree, emptied first
#   OUTPUT_DIR      where NAME.chm goes
#   SOURCE_ARTWORK  the source's button pictures (button_NNN.bmp, stop_0.bmp)
#   HOST_ARTWORK    KORVEL's button pictures (open.bmp ... icons.bmp)
#   CHMCMD, ICONV   the tools
# The staged folder is exactly what goes into the file, so it can be looked
# at (tools/help-screenshots.sh shows the pages taken back out of the .chm).
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR}/images ${OUTPUT_DIR})

# Every button picture goes into every file: they are small, and each page
# can then show any of them. KORVEL's get a prefix, since the source has
# pictures of the same kind.
file(GLOB source_pictures ${SOURCE_ARTWORK}/button_*.bmp)
file(COPY ${source_pictures} ${SOURCE_ARTWORK}/stop_0.bmp DESTINATION ${STAGE_DIR}/images)
foreach(picture open save preview fit icons)
  file(COPY_FILE ${HOST_ARTWORK}/${picture}.bmp ${STAGE_DIR}/images/korvel_${picture}.bmp)
endforeach()
file(COPY ${SOURCE_DIR}/help.css DESTINATION ${STAGE_DIR})

# The Japanese files are read by the viewer in code page 932: the page, the
# contents and the project (its title) are converted from UTF-8.
set(texts ${NAME}.html ${NAME}.hhc ${NAME}.hhp)
if(NAME MATCHES "_j$")
  foreach(text IN LISTS texts)
    execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${SOURCE_DIR}/${text}
                    OUTPUT_FILE ${STAGE_DIR}/${text} RESULT_VARIABLE converted)
    if(NOT converted EQUAL 0)
      message(FATAL_ERROR "${text} has characters that Shift_JIS cannot hold")
    endif()
  endforeach()
else()
  foreach(text IN LISTS texts)
    file(COPY ${SOURCE_DIR}/${text} DESTINATION ${STAGE_DIR})
  endforeach()
endif()

# The project lists every file to include; the pictures are added here so
# that the list follows the artwork.
file(GLOB staged_pictures RELATIVE ${STAGE_DIR} ${STAGE_DIR}/images/*.bmp)
list(SORT staged_pictures)
string(REPLACE ";" "\n" picture_lines "${staged_pictures}")
file(APPEND ${STAGE_DIR}/${NAME}.hhp "${picture_lines}\n")

execute_process(COMMAND ${CHMCMD} --no-html-scan ${NAME}.hhp
                WORKING_DIRECTORY ${STAGE_DIR}
                OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE compiled)
if(NOT compiled EQUAL 0 OR NOT EXISTS ${STAGE_DIR}/${NAME}.chm)
  message(FATAL_ERROR "chmcmd could not compile ${NAME}.chm:\n${log}")
endif()
file(COPY_FILE ${STAGE_DIR}/${NAME}.chm ${OUTPUT_DIR}/${NAME}.chm)
