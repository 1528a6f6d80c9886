# Where an installation puts its files (GNUInstallDirs), and the private folder
# of the libraries: lib/<triplet>/rx041 as Debian keeps a package's
# architecture-dependent private files (lib/rx041 where the compiler names no
# triplet). The programs reach that folder relative to themselves, so an
# installation works under any prefix, and the package (prefix /usr) however the
# build was configured. The system-wide class registry is state, not a library
# file: <prefix>/var/lib/rx041, /var/lib/rx041 for /usr (see registry_search.h).
include(GNUInstallDirs)
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(RX041_PRIVATE_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/rx041)
else()
  set(RX041_PRIVATE_LIBDIR lib/rx041)
endif()
file(RELATIVE_PATH RX041_BINDIR_TO_PRIVATE_LIBDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${RX041_PRIVATE_LIBDIR})
