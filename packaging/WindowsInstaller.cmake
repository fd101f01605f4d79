# The Windows installer, reminder-<version>-win64.exe (`cpack -G NSIS`; Debian's nsis
# runs makensis on Linux; the script is NSIS.template.in beside this file), and a ZIP of
# the same folder: both programs with everything they load, the documentation,
# Start-menu entries and an uninstaller, for the user alone.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${REMINDER_DOC_DIR})

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME reminder)
set(CPACK_PACKAGE_VENDOR "${REMINDER_PRODUCT_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME reminder-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Reminder)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Reminder)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_PACKAGE_NAME Reminder)
set(CPACK_NSIS_DISPLAY_NAME Reminder)
set(CPACK_REMINDER_ICON ${REMINDER_ART}/reminder.ico)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
include(CPack)
