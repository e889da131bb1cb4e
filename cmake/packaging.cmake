# What `cmake --install` puts where, and the packages CPack builds from it (`cmake --build BUILD
# --target package`): trelvox_VERSION_amd64.deb on Linux; from the mingw-w64 cross-build
# Trelvox-VERSION-setup.exe (NSIS, installer/) and Trelvox-VERSION-win64.zip, holding the same files.

set(CPACK_PACKAGE_NAME trelvox)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert telemetry flight logs into CSV files")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # Beside the programs, for Notepad and the like: CR LF line ends.
  configure_file(README.md README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  # The example limits file of the health check, to copy beside a model's logs.
  configure_file(docs/trelvox.toml trelvox.toml COPYONLY)
  install(TARGETS Trelvox trelvox-cli RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt
                ${PROJECT_BINARY_DIR}/trelvox.toml DESTINATION .)

  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_PACKAGE_FILE_NAME Trelvox-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  # The setup program's script is installer/trelvox_setup.nsi; CPack's template for it only hands
  # over the version, the files and the output's name.
  set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/installer)
  set(CPACK_TRELVOX_SETUP_SCRIPT ${PROJECT_SOURCE_DIR}/installer/trelvox_setup.nsi)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_file_names.cmake)
else()
  include(GNUInstallDirs)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Trelvox developers <dev@trelvox.invalid>")

  # Files made for the install, compressed as Debian installs manual pages and changelogs.
  function(trelvox_gzipped_file name)
    add_custom_command(OUTPUT ${name}.gz
                       COMMAND gzip -9 --no-name --force --keep ${name}
                       DEPENDS ${PROJECT_BINARY_DIR}/${name}
                       WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
    add_custom_target(trelvox_${name}_gz ALL DEPENDS ${PROJECT_BINARY_DIR}/${name}.gz)
  endfunction()

  configure_file(docs/trelvox.1.in trelvox.1 @ONLY)
  trelvox_gzipped_file(trelvox.1)
  install(TARGETS trelvox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  install(FILES ${PROJECT_BINARY_DIR}/trelvox.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT program)
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT program)
  # The example limits file of the health check, to copy beside a model's logs.
  install(FILES docs/trelvox.toml DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT program)
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT license)

  # A Debian package carries its licence in the copyright file and needs a changelog: made for
  # the package only (the components CPack installs, below), not for a plain install.
  file(READ LICENSE TRELVOX_LICENSE_TEXT)
  string(STRIP "${TRELVOX_LICENSE_TEXT}" TRELVOX_LICENSE_TEXT)
  string(REPLACE "\n\n" "\n.\n" TRELVOX_LICENSE_TEXT "${TRELVOX_LICENSE_TEXT}")
  string(REPLACE "\n" "\n " TRELVOX_LICENSE_TEXT " ${TRELVOX_LICENSE_TEXT}")
  configure_file(cmake/debian-copyright.in copyright @ONLY)
  # The date honours SOURCE_DATE_EPOCH, for reproducible packages.
  string(TIMESTAMP TRELVOX_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(cmake/debian-changelog.in changelog @ONLY)
  trelvox_gzipped_file(changelog)
  install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

  set(CPACK_GENERATOR DEB)
  set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};trelvox;program;/"
                                   "${PROJECT_BINARY_DIR};trelvox;debian;/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Trelvox turns the flight logs that radio-control transmitters record from their
telemetry sensors (a NAME.KLD data file with its NAME.KLI slot map) into CSV
files that a spreadsheet opens: one row per record with the time, the sixteen
channels and the readings of every sensor in the log.")
endif()

include(CPack)
