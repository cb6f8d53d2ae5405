# Debian packages of a Linux build, made by CPack from the install (scripts/make-packages.sh
# configures a /usr build and runs cpack -G DEB):
#   libquorlin1      both libraries and the printer library
#   libquorlin-dev   header, unversioned links, pkg-config and CMake files, section-3 pages
#   quorlin-qhost    the sample host and its page
#   python3-quorlin  the Python package
# dpkg-shlibdeps works out what each needs of the system's libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorlin)
set(CPACK_PACKAGE_VENDOR "Quorlin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quorlin developers <quorlin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relational databases through ODBC behind a flat C table")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The build tree's own libraries, for dpkg-shlibdeps to resolve the packages' links to each
# other (they are not installed on the machine that builds the packages).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/mirvale)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENTS_ALL runtime dev qhost python)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libquorlin${PROJECT_VERSION_MAJOR})
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "Relational databases through ODBC behind a flat C table (both profiles)")
# A host needs at least one driver; these are the ones the library is tested with.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "libsqliteodbc | odbc-postgresql | odbc-mariadb")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libquorlin-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DESCRIPTION "Development files of the Quorlin library")
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "pkg-config, libstdc++-12-dev | libstdc++-dev")

set(CPACK_DEBIAN_QHOST_PACKAGE_NAME quorlin-qhost)
set(CPACK_DEBIAN_QHOST_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_QHOST_DESCRIPTION "qhost, a command shell for the Quorlin library")
set(CPACK_COMPONENT_QHOST_DEPENDS runtime)

set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-quorlin)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Python package of the Quorlin library")
set(CPACK_COMPONENT_PYTHON_DEPENDS runtime)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "python3")

include(CPack)
