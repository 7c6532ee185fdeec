# Installs the build into a fresh prefix and checks the installed programs and their data files.
# cmake -DBUILD_DIR=… -DPREFIX=… -DBINDIR=bin -DDATADIR=share -DTRANSLATIONS=0|1 -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
  ${BINDIR}/orlan
  ${BINDIR}/orlan-cli
  ${DATADIR}/orlan/CommHlp.vhp
  ${DATADIR}/orlan/CommHlp.en.vhp
  ${DATADIR}/orlan/Help/ORLAN_Help.html
  ${DATADIR}/orlan/Help/ORLAN_Help.en.html
  ${DATADIR}/orlan/Help/img/scheme.png
  ${DATADIR}/applications/orlan.desktop
  ${DATADIR}/mime/packages/orlan.xml
  ${DATADIR}/icons/hicolor/scalable/apps/orlan.svg)
# The English translation, when Qt's translation tools built it.
if(TRANSLATIONS)
  list(APPEND expected ${DATADIR}/orlan/translations/orlan_en.qm)
endif()
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The installed runner runs the demo program to its HLT.
execute_process(COMMAND ${PREFIX}/${BINDIR}/orlan-cli --poke 0000=3E7FD3003E41D30076 --run
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installed orlan-cli ended with ${status}")
endif()

# The installed window program loads (its libraries resolve) and answers --help.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PREFIX}/${BINDIR}/orlan --help
  RESULT_VARIABLE status OUTPUT_VARIABLE help)
if(NOT status EQUAL 0 OR NOT help MATCHES "vst")
  message(FATAL_ERROR "installed orlan --help ended with ${status}: ${help}")
endif()

# The desktop entry and the file types as the desktop's own checkers see them, when they are here.
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/${DATADIR}/applications/orlan.desktop
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the entry")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
