# Debian packages of the project, made with "cpack -G DEB" in the build
# folder: one for the library, one for building hosts against it, one for
# Brenhold and one for the programs. The install rules name the component
# each file belongs to.
include(InstallCompressed)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorlan)
set(CPACK_PACKAGE_VENDOR KORDAVIN)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Quorlan maintainers <maintainers@users.noreply.c-seed-7f391001.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL library development brenhold programs)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(quorlan_package_library libquorlan${PROJECT_VERSION_MAJOR})
set(quorlan_package_development libquorlan-dev)
set(quorlan_package_brenhold brenhold)
set(quorlan_package_programs quorlan)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${quorlan_package_library})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# The window icons are SVG: Qt draws them with a plugin no binary links.
# Liberation Sans has the metrics of the Windows dialog font the dialogs'
# layouts were drawn in; without it they fall back to the desktop's font.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation2")
# Qt's own texts (the file dialogs, the edit menus) in the dialog's language;
# Swedish and Norwegian words are built in. On a Wayland desktop the dialogs
# run natively with Qt's wayland platform, else through Xwayland.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
# The dynamic linker's cache is renewed by dpkg's ldconfig trigger.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION
    "network configuration dialog of the KORDAVIN portable player
The library shows the dialog in which a user fills in NetworkSetting.ini,
the file the KORDAVIN player reads from its SD card: the network folder
credentials, the network device switch and up to 30 wireless LAN profiles.
A host program hands over the player's SD card folder and name and opens the
dialog through five C functions.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${quorlan_package_development})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "network configuration dialog of the KORDAVIN player - development files
The header Quorlan.h with the five C functions of libQuorlan, the link to
the library, the pkg-config file quorlan.pc and the CMake package Quorlan
(find_package(Quorlan), target Quorlan::Quorlan) for building host programs.")

set(CPACK_DEBIAN_BRENHOLD_PACKAGE_NAME ${quorlan_package_brenhold})
set(CPACK_DEBIAN_BRENHOLD_PACKAGE_SECTION admin)
# pkexec raises Brenhold to root.
set(CPACK_DEBIAN_BRENHOLD_PACKAGE_DEPENDS "pkexec, libqt6svg6, fonts-liberation2")
set(CPACK_COMPONENT_BRENHOLD_DESCRIPTION
    "LAN Manager authentication level setting of the KORDAVIN utility
Brenhold shows the LAN Manager authentication level of the computer and
changes it after a confirmation, then offers to restart the computer. It
runs as root through pkexec and comes with a desktop entry and a polkit
action.")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME ${quorlan_package_programs})
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION utils)
# The host loads the library at run time, and its security page starts
# Brenhold from the host's own folder: neither shows in the binaries.
set(CPACK_COMPONENT_PROGRAMS_DEPENDS library brenhold)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_COMPONENT_PROGRAMS_DESCRIPTION
    "network settings utility of the KORDAVIN portable player
quorlan-host opens the network configuration dialog for a player's SD card
folder. quorlan-cli creates, checks and shows the player's NetworkSetting.ini
without a display, encrypts and decrypts its secrets and lists the messages.")

# Each package carries the copyright and the changelog Debian asks for.
foreach(component IN LISTS CPACK_COMPONENTS_ALL)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${quorlan_package_${component}})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${doc}
          COMPONENT ${component})
  quorlan_install_compressed(packaging/changelog.Debian ${doc} ${component})
endforeach()

include(CPack)
