# Installs the build into a fresh temporary prefix and checks what a desktop needs: the
# programs in bin, a valid menu entry for each and the login's autostart entry, with the
# installed icon, that the desktop's own launcher starts each in the home folder (where
# reminder and Halvern meet in ~/path.txt), the autostart only where ~/path.txt exists,
# the icon in the hicolor theme, and the README where the About box points.
# Run by CTest: cmake -DBUILD_DIR=... -DWITH_HALVERN=0|1 -P InstallLayoutTest.cmake
cmake_minimum_required(VERSION 3.25)
string(RANDOM LENGTH 8 suffix)
set(prefix "/tmp/reminder-install-${suffix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
  message(FATAL_ERROR "cmake --install failed:\n${said}")
endif()

set(programs reminder)
if(WITH_HALVERN)
  list(APPEND programs Halvern)
endif()
set(failures "")
foreach(file share/icons/hicolor/16x16/apps/reminder.png share/icons/hicolor/32x32/apps/reminder.png
             share/icons/hicolor/48x48/apps/reminder.png share/doc/reminder/README.md)
  if(NOT EXISTS "${prefix}/${file}")
    string(APPEND failures "missing: ${file}\n")
  endif()
endforeach()
if(NOT WITH_HALVERN AND EXISTS "${prefix}/share/applications/halvern.desktop")
  string(APPEND failures "a menu entry for Halvern, which is not built\n")
endif()

# The desktop's launcher starts each entry, as the menu or the login would, with a
# stand-in for its program that notes where it runs, each in a home of its own. The
# autostart entry's home holds a path.txt; a last home without one gets the autostart
# first, and must see nothing started by the time the others have.
file(MAKE_DIRECTORY "${prefix}/stubs" "${prefix}/elsewhere" "${prefix}/unset")
set(entries "")
foreach(program ${programs})
  string(TOLOWER "share/applications/${program}.desktop" entry)
  list(APPEND entries "${program}|${entry}")
  file(WRITE "${prefix}/stubs/${program}" "#!/bin/sh\npwd > \"$HOME/started\"\n")
  file(CHMOD "${prefix}/stubs/${program}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
list(APPEND entries "reminder|etc/xdg/autostart/reminder-autostart.desktop")
file(REAL_PATH "${prefix}/unset" unset)
execute_process(COMMAND env -i "HOME=${unset}" "PATH=${prefix}/stubs:/usr/bin:/bin" gio launch
                        "${prefix}/etc/xdg/autostart/reminder-autostart.desktop" OUTPUT_QUIET ERROR_QUIET)
foreach(pair ${entries})
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 program)
  list(GET pair 1 entry)
  string(MAKE_C_IDENTIFIER "${entry}" name)
  file(MAKE_DIRECTORY "${prefix}/${name}")
  file(REAL_PATH "${prefix}/${name}" home)
  if(entry MATCHES "autostart")
    file(WRITE "${home}/path.txt" "${home}\r\n")
  endif()
  execute_process(COMMAND test -x "${prefix}/bin/${program}" RESULT_VARIABLE notExecutable)
  execute_process(COMMAND desktop-file-validate "${prefix}/${entry}" RESULT_VARIABLE invalid
                  OUTPUT_VARIABLE said ERROR_VARIABLE said)
  execute_process(COMMAND grep -qx Icon=reminder "${prefix}/${entry}" RESULT_VARIABLE noIcon)
  if(notExecutable OR invalid OR noIcon)
    string(APPEND failures "bin/${program} or ${entry} is missing, not runnable or invalid:\n${said}\n")
    continue()
  endif()
  execute_process(COMMAND env -i "HOME=${home}" "PATH=${prefix}/stubs:/usr/bin:/bin" gio launch "${prefix}/${entry}"
                  WORKING_DIRECTORY "${prefix}/elsewhere" OUTPUT_VARIABLE said ERROR_VARIABLE said)
  execute_process(COMMAND timeout 10 sh -c "until [ -e \"$0/started\" ]; do sleep 0.1; done" "${home}")
  execute_process(COMMAND cat "${home}/started" OUTPUT_VARIABLE folder OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT folder STREQUAL home)
    string(APPEND failures "${entry} starts ${program} in '${folder}', not in the home folder ${home}:\n${said}\n")
  endif()
endforeach()
if(EXISTS "${unset}/started")
  string(APPEND failures "the autostart entry starts reminder for a user without ~/path.txt\n")
endif()

file(REMOVE_RECURSE "${prefix}")
if(failures)
  message(FATAL_ERROR "Install layout under ${prefix}:\n${failures}")
endif()
