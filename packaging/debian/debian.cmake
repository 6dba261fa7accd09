# The Debian package: the documentation where Debian keeps it (a
# machine-readable copyright file instead of the license, the changelog and
# the manual page compressed) and CPack's settings for the .deb. Included from
# packaging/CMakeLists.txt when KALVENOR_DEBIAN is on.
set(KALVENOR_MAINTAINER "The Kalvenor developers <games@kalvenor.example>" CACHE STRING
    "Maintainer of the Debian package")
set(KALVENOR_DEBIAN_RELEASE 1)
set(KALVENOR_DEBIAN_VERSION ${PROJECT_VERSION}-${KALVENOR_DEBIAN_RELEASE})

set(debian_out ${CMAKE_CURRENT_BINARY_DIR}/debian)
set(debian_src ${CMAKE_CURRENT_SOURCE_DIR}/debian)
file(MAKE_DIRECTORY ${debian_out})
configure_file(${debian_src}/changelog.in ${debian_out}/changelog.Debian @ONLY)

# Compressed at configure time, without names or times in the header, so the
# package is the same on every build and an install needs nothing built.
function(kalvenor_gzip source target)
  execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${target} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot compress ${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
kalvenor_gzip(${debian_out}/changelog.Debian ${debian_out}/changelog.Debian.gz)
kalvenor_gzip(${CMAKE_CURRENT_BINARY_DIR}/kalvenor.6 ${debian_out}/kalvenor.6.gz)

install(FILES ${debian_out}/kalvenor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${debian_src}/copyright ${debian_out}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvenor)
set(CPACK_PACKAGE_VENDOR "The Kalvenor developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KALVENOR_DEBIAN_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KALVENOR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kalvenor/kalvenor)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "shooting gallery: shoot the villains, spare the president
A small full-screen shooting gallery. You aim a crosshair over a desert;
figures pop out from behind the edges of the screen, walk sideways and
vanish again. Shoot the villains, the quicker the better; never shoot the
president. The gun holds seven rounds: the left mouse button fires, the
right one reloads.")
include(CPack)
