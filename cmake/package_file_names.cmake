# Read by CPack for each package it builds: the Windows setup program is named for what it is.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Trelvox-${CPACK_PACKAGE_VERSION}-setup")
endif()
