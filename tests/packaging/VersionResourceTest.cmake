# The Windows version resource carries the project's version and product strings.
# Run by CTest: cmake -DRC_FILE=.../reminder.rc -P VersionResourceTest.cmake
file(READ "${RC_FILE}" rc)
foreach(expected "FILEVERSION 1,0,0,2" "PRODUCTVERSION 1,0,0,2" "VALUE \"FileVersion\", \"1.0.0.2\""
                 "VALUE \"ProductName\", \"Desk Reminder\"" "VALUE \"FileDescription\", \"Reminder\"" "ICON \"")
  string(FIND "${rc}" "${expected}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${RC_FILE} lacks: ${expected}")
  endif()
endforeach()
if(rc MATCHES "@")
  message(SEND_ERROR "${RC_FILE}: a placeholder was left unreplaced")
endif()
