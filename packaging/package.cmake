# The Debian package, made by `cpack -G DEB` in the build tree:
# gridwalk_<version>_<arch>.deb with what `cmake --install` puts under /usr.
# The version is project()'s.
set(GRIDWALK_MAINTAINER "gridwalk maintainers <maintainers@users.noreply.c-seed-b62116da.example>"
  CACHE STRING "The Debian package's maintainer")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gridwalk)
set(CPACK_PACKAGE_CONTACT "${GRIDWALK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "first-person walk over a 3D ground grid")
set(CPACK_PACKAGE_DESCRIPTION
  "gridwalk opens a full-screen 1280x1024 OpenGL display showing a light-green
ground grid on black. W, S, A and D walk over it, the mouse looks around and
Escape quits.

It runs on the classic SDL 1.2 library or on sdl12-compat over SDL 2, and on
any OpenGL, Mesa's software renderer included. There is no sound, no
configuration and nothing saved.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the viewer links. Its SDL entry is
# libsdl1.2debian at a version that libsdl1.2-compat-shim provides too, so
# either SDL 1.2 runtime that puts libSDL-1.2.so.0 where the loader looks will
# do. libsdl1.2-compat alone keeps its library aside, where only
# LD_LIBRARY_PATH finds it, so it rightly does not count.
# libGL.so.1 is not linked but loaded by SDL itself for the OpenGL mode, so
# dpkg-shlibdeps cannot see it: without libgl1 the package would install and
# then fail to set the video mode.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_project.cmake)

include(CPack)
