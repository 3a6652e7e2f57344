# The Debian package of both programs (`make package` runs CPack's DEB generator):
# what a Debian user expects beside the programs, and the package's control data.
#
# Included from the top-level CMakeLists.txt after GNUInstallDirs and before the
# sources, so that every install rule sees the documentation folder set here.

set(LEDGERKEEPER_PACKAGE_NAME ledgerkeeper)
set(LEDGERKEEPER_PACKAGE_RELEASE 1)
set(LEDGERKEEPER_MAINTAINER "LedgerKeeper Developers <maintainers@ledgerkeeper.example>")
set(LK_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(LK_PACKAGING_OUTPUT ${PROJECT_BINARY_DIR}/packaging)

# Debian keeps a package's documents in /usr/share/doc/<package>, and so does a
# plain `make install` (unless CMAKE_INSTALL_DOCDIR is given).
if("$CACHE{CMAKE_INSTALL_DOCDIR}" STREQUAL "")
    set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${LEDGERKEEPER_PACKAGE_NAME})
endif()

# Folders in the package are rwxr-xr-x whatever the umask of the build.
set(LK_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${LK_DIRECTORY_PERMISSIONS})

# --- Debian's hardening of the programs, as dpkg-buildflags sets it: fortified
# libc calls (they need optimisation), a stack protector, and a read-only GOT.
# The sanitizer build keeps its own instrumentation instead.
if(NOT LEDGERKEEPER_SANITIZE)
    add_compile_options(-fstack-protector-strong
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()

# --- Manual pages and the Debian changelog, compressed as Debian wants them:
# gzip -9 without name or time stamp, so that the same sources give the same bytes.
find_program(LK_GZIP gzip REQUIRED)
set(LK_COMPRESSED_FILES)
function(lk_compress source compressed)
    get_filename_component(name ${compressed} NAME_WLE)
    add_custom_command(OUTPUT ${LK_PACKAGING_OUTPUT}/${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LK_PACKAGING_OUTPUT}
        COMMAND ${CMAKE_COMMAND} -E copy ${LK_PACKAGING_SOURCE}/${source} ${LK_PACKAGING_OUTPUT}/${name}
        COMMAND ${LK_GZIP} -9nf ${LK_PACKAGING_OUTPUT}/${name}
        DEPENDS ${LK_PACKAGING_SOURCE}/${source}
        COMMENT "Compressing ${compressed}"
        VERBATIM)
    set(LK_COMPRESSED_FILES ${LK_COMPRESSED_FILES} ${LK_PACKAGING_OUTPUT}/${compressed} PARENT_SCOPE)
endfunction()
lk_compress(ledgerkeeper.1 ledgerkeeper.1.gz)
lk_compress(ledgerkeeper-cli.1 ledgerkeeper-cli.1.gz)
lk_compress(changelog.Debian changelog.Debian.gz)
add_custom_target(ledgerkeeper_packaging_files ALL DEPENDS ${LK_COMPRESSED_FILES})

install(FILES ${LK_PACKAGING_OUTPUT}/ledgerkeeper.1.gz ${LK_PACKAGING_OUTPUT}/ledgerkeeper-cli.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LK_PACKAGING_OUTPUT}/changelog.Debian.gz ${LK_PACKAGING_SOURCE}/copyright
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
# bash-completion loads a command's completion on first use from a file named after it.
install(FILES ${LK_PACKAGING_SOURCE}/ledgerkeeper-cli.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ledgerkeeper-cli)
# The HTML manual, registered with doc-base.
install(FILES ${LK_PACKAGING_SOURCE}/ledgerkeeper.doc-base
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME ledgerkeeper)
# AppStream finds the metadata by the component's id.
install(FILES ${LK_PACKAGING_SOURCE}/ledgerkeeper.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME example.ledgerkeeper.ledgerkeeper.metainfo.xml)

# --- The package: ledgerkeeper_<version>-<release>_<architecture>.deb in the build folder.
execute_process(COMMAND dpkg --print-architecture
    OUTPUT_VARIABLE LK_DEBIAN_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE LK_DPKG_RESULT)
if(NOT LK_DPKG_RESULT EQUAL 0 OR LK_DEBIAN_ARCHITECTURE STREQUAL "")
    set(LK_DEBIAN_ARCHITECTURE amd64)
endif()
set(LEDGERKEEPER_PACKAGE_FILE_NAME
    ${LEDGERKEEPER_PACKAGE_NAME}_${PROJECT_VERSION}-${LEDGERKEEPER_PACKAGE_RELEASE}_${LK_DEBIAN_ARCHITECTURE}.deb)
set(LEDGERKEEPER_PACKAGE_FILE ${PROJECT_BINARY_DIR}/${LEDGERKEEPER_PACKAGE_FILE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${LEDGERKEEPER_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "LedgerKeeper Developers")
set(CPACK_PACKAGE_CONTACT ${LEDGERKEEPER_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keeper of web and login accounts")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${LK_DIRECTORY_PERMISSIONS})

set(CPACK_DEBIAN_PACKAGE_NAME ${LEDGERKEEPER_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${LEDGERKEEPER_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${LK_DEBIAN_ARCHITECTURE})
set(CPACK_DEBIAN_FILE_NAME ${LEDGERKEEPER_PACKAGE_FILE_NAME})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LEDGERKEEPER_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ledgerkeeper.example/")
# The libraries the programs need come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Login opens an account's site through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "LedgerKeeper keeps your web and login accounts: for each one its name, the
site's address, your user name, account ID and password, a free comment, and
how often you have logged in with it. Every account is a small file of its own.

The window lists the accounts by use and by name, shows and edits one account
at a time, and opens an account's site to log in. All accounts can be exported
to a file, imported back, and listed for printing. The command-line tool
ledgerkeeper-cli works on the same accounts.")

include(CPack)
