# The Windows release: zelas-VERSION-win64.zip (cpack in the build folder) with one folder
# holding the two executables, the README, the licence and the examples.
install(TARGETS zelas zelas-dis RUNTIME DESTINATION .)
install(FILES README.md LICENSE DESTINATION .)
install(DIRECTORY examples DESTINATION .)

set(CPACK_PACKAGE_NAME zelas)
set(CPACK_PACKAGE_VENDOR "zelas developers")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME zelas-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
