# Libraries go to Debian's multiarch folder (lib/x86_64-linux-gnu) under any
# prefix, as GNUInstallDirs chooses only for /usr: the packages are made
# under /usr whatever prefix the build was configured with, and the dynamic
# linker and pkg-config search that folder under /usr/local too.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}
      CACHE PATH "Object code libraries (LIBDIR)")
endif()
include(GNUInstallDirs)
