# The Windows version resource carries the project's version and product strings.
# Run by CTest: cmake -DRC_FILE=.../reminder.rc -P VersionResourceTest.cmake
file(READ "${RC_FILE}" rc)
set(failures "")
foreach(expected
    "FILEVERSION 1,0,0,2"
    "PRODUCTVERSION 1,0,0,2"
    "VALUE \"FileVersion\", \"1.0.0.2\""
    "VALUE \"ProductName\", \"Desk Reminder\""
    "VALUE \"LegalTrademarks\", \"\""
    "VALUE \"LegalCopyright\", \"\""
    "VALUE \"FileDescription\", \"Reminder\""
    "ICON \"")
  string(FIND "${rc}" "${expected}" at)
  if(at EQUAL -1)
    set(failures "${failures}missing: ${expected}\n")
  endif()
endforeach()
string(FIND "${rc}" "@" unreplaced)
if(NOT unreplaced EQUAL -1)
  set(failures "${failures}a placeholder was left unreplaced\n")
endif()
if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${RC_FILE}:\n${failures}")
endif()
