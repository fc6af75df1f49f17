# The package's copyright file (/usr/share/doc/zelas/copyright), in the machine-readable form
# Debian packages carry, made from LICENSE so that the two never differ: the holder goes on the
# "Copyright:" line, and the permission text follows the "License:" line indented by one blank,
# with " ." for each empty line.

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE zelas_license)
string(REGEX MATCH "\nCopyright \\(c\\) ([^\n]*)\n\n(.*[^\n])\n*$" zelas_license_match
  "${zelas_license}")
if(NOT zelas_license_match)
  message(FATAL_ERROR "LICENSE: no 'Copyright (c) ...' line followed by the permission text")
endif()
set(zelas_copyright_holder "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" zelas_license_body "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " zelas_license_body "${zelas_license_body}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: zelas\n"
  "\n"
  "Files: *\n"
  "Copyright: ${zelas_copyright_holder}\n"
  "License: Expat\n"
  " ${zelas_license_body}\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
