# Fails when a text the sources mark for translation has no English: each folder's sources are read
# again into a copy of its translations/en/<folder>.ts, and the copy must hold no unfinished or
# empty translation. A text added, or changed, without its English shows up here by name.
# -DLUPDATE=… -DSOURCE_DIR=… -DWORK_DIR=… -DAREAS=a;b -DOPTIONS=…
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(missing "")
foreach(area ${AREAS})
  set(copy ${WORK_DIR}/${area}.ts)
  file(COPY_FILE ${SOURCE_DIR}/translations/en/${area}.ts ${copy})
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} ${SOURCE_DIR}/${area} -ts ${copy}
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${area}: ${err}")
  endif()
  file(READ ${copy} text)
  # One message per match: its source and the translation element that follows it.
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation type=\"unfinished\"[^>]*>[^<]*</translation>"
         unfinished "${text}")
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation>[ \t\r\n]*</translation>"
         empty "${text}")
  foreach(m IN LISTS unfinished empty)
    string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" src "${m}")
    string(APPEND missing "\n  ${area}: ${src}")
  endforeach()
endforeach()
if(NOT missing STREQUAL "")
  message(FATAL_ERROR "Texts without English (run the orlan_lupdate target, then translate):${missing}")
endif()
message(STATUS "Every marked text has its English")
