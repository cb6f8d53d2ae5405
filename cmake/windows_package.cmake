# The Windows distribution of a 32-bit build: quorlin-VERSION-win32.zip, made by CPack from the
# install (cpack -G ZIP in the build folder; scripts/make-windows-zip.sh does it all). The DLLs
# and qhost.exe are stripped; beside them the header, both kinds of import library, the .def
# files, the example host and a short text for Windows host authors.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README-WINDOWS.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/windows/host.c DESTINATION examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorlin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME quorlin-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
# Only what a host needs: the test build's own programs are not installed anyway.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quorlin;ALL;/")
include(CPack)
