# The Windows version resource carries the project's version and product strings.
# Run by CTest: cmake -DRC_FILE=.../reminder.rc -DVERSION=... -DPRODUCT=... -P VersionResourceTest.cmake
file(READ "${RC_FILE}" rc)
string(REPLACE "." "," numbers "${VERSION}")
foreach(expected "FILEVERSION ${numbers}" "PRODUCTVERSION ${numbers}" "VALUE \"FileVersion\", \"${VERSION}\""
                 "VALUE \"ProductName\", \"${PRODUCT}\"" "VALUE \"FileDescription\", \"Reminder\"" "ICON \"")
  string(FIND "${rc}" "${expected}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "${RC_FILE} lacks: ${expected}")
  endif()
endforeach()
if(rc MATCHES "@")
  message(SEND_ERROR "${RC_FILE}: a placeholder was left unreplaced")
endif()
