# Read by cpack before it makes the package. Without dpkg-shlibdeps, CPack
# leaves the libraries out of Depends with no more than a notice and ships a
# package that installs and cannot start; stop here instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(GRIDWALK_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT GRIDWALK_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps not found: install dpkg-dev, without it the package would not "
                        "depend on the libraries the viewer needs")
  endif()
endif()
