# The Windows installer, reminder-<version>-win64.exe (`cpack -G NSIS`, Debian's nsis
# runs makensis on Linux), and a ZIP of the same folder: both programs with everything
# they load, the documentation, Start-menu entries and an uninstaller. It installs for
# the user alone, under the user's own programs folder, and needs no administrator.
install(FILES ${PROJECT_SOURCE_DIR}/README.md copyright DESTINATION ${REMINDER_DOC_DIR})

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME reminder)
set(CPACK_PACKAGE_VENDOR "${REMINDER_PRODUCT_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME reminder-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Reminder)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Reminder)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desk reminder that pops up each reminder in its second")
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_PACKAGE_NAME Reminder)
set(CPACK_NSIS_DISPLAY_NAME Reminder)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MUI_ICON ${REMINDER_ART}/reminder.ico)
set(CPACK_NSIS_MUI_UNIICON ${REMINDER_ART}/reminder.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME reminder.exe)
# Both entries start their program in the user's own folder, as the menu entries on
# Linux do, so that the two meet in one path.txt; the user's data stays there when the
# programs are uninstalled.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [=[
  SetOutPath "$PROFILE"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Reminder.lnk" "$INSTDIR\reminder.exe"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Halvern.lnk" "$INSTDIR\Halvern.exe"
  SetOutPath "$INSTDIR"]=])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [=[
  Delete "$SMPROGRAMS\$MUI_TEMP\Reminder.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\Halvern.lnk"]=])

# CMake's installer script asks for an administrator and, for one, installs for every
# user. This one is for the user alone: the same script, asked of the user, with every
# path and registry entry in the user's own context.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in script)
foreach(change "RequestExecutionLevel admin|RequestExecutionLevel user"
               "SetShellVarContext all|SetShellVarContext current"
               "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@|@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
  string(REPLACE "|" ";" pair "${change}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  string(FIND "${script}" "${from}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS script no longer holds ${from}")
  endif()
  string(REPLACE "${from}" "${to}" script "${script}")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/installer/NSIS.template.in "${script}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/installer)
include(CPack)
