# Stages the example medium: profile files (.dat .vxi .cmd .str) and the
# licence texts (.txt) go from the
# repository's UTF-8 to UTF-16 LE without byte-order mark; every other file
# (Autorun.inf, a setting file: read by the platform's private-profile reader)
# is copied as it is; the built programs are put beside them, or, for an entry
# "<file>=<folder>", into that folder of the stage.
#
#   cmake -DSOURCE=<medium> -DDEST=<stage> -DPROGRAMS=<file;file=folder> -P StageMedium.cmake

file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST})
file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(relative IN LISTS files)
  if(relative STREQUAL "CMakeLists.txt" OR relative MATCHES "(^|/)README\\.md$")
    continue()
  endif()
  get_filename_component(dir ${DEST}/${relative} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  if(relative MATCHES "\\.(dat|vxi|cmd|str|txt)$")
    execute_process(COMMAND iconv -f UTF-8 -t UTF-16LE ${SOURCE}/${relative}
                    OUTPUT_FILE ${DEST}/${relative} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "cannot convert ${relative} to UTF-16 LE")
    endif()
  else()
    file(COPY_FILE ${SOURCE}/${relative} ${DEST}/${relative})
  endif()
endforeach()
foreach(program IN LISTS PROGRAMS)
  if(program MATCHES "^(.+)=([^=]+)$")
    file(MAKE_DIRECTORY ${DEST}/${CMAKE_MATCH_2})
    file(COPY ${CMAKE_MATCH_1} DESTINATION ${DEST}/${CMAKE_MATCH_2})
  else()
    file(COPY ${program} DESTINATION ${DEST})
  endif()
endforeach()
