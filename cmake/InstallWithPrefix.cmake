# Installs a file made from a template when it is installed, not when the
# project is configured: the paths it names are then those of the prefix it
# is installed under (cmake --install --prefix, or /usr in the packages).
# The template may use @PROJECT_VERSION@, @CMAKE_INSTALL_PREFIX@, the
# relative @CMAKE_INSTALL_<DIR>@ and the absolute @CMAKE_INSTALL_FULL_<DIR>@
# of BINDIR, LIBDIR, INCLUDEDIR and DATADIR, and any variable named after
# VARIABLES with its value at configure time.
include(GNUInstallDirs)

function(quorlan_install_with_prefix template destination component)
  cmake_parse_arguments(ARG "" "" "VARIABLES" ${ARGN})
  get_filename_component(name ${template} NAME_WLE)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${template})
  set(made ${CMAKE_CURRENT_BINARY_DIR}/installed/${name})
  set(code "set(PROJECT_VERSION \"${PROJECT_VERSION}\")\n")
  foreach(dir IN ITEMS BINDIR LIBDIR INCLUDEDIR DATADIR)
    string(APPEND code
      "set(CMAKE_INSTALL_${dir} \"${CMAKE_INSTALL_${dir}}\")\n"
      "set(CMAKE_INSTALL_FULL_${dir} \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_${dir}}\")\n")
  endforeach()
  foreach(variable IN LISTS ARG_VARIABLES)
    string(APPEND code "set(${variable} \"${${variable}}\")\n")
  endforeach()
  string(APPEND code
    "configure_file(\"${source}\" \"${made}\" @ONLY)\n"
    "file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${destination}\" TYPE FILE FILES \"${made}\")\n")
  install(CODE "${code}" COMPONENT ${component})
endfunction()
