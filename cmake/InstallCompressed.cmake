# Installs a file compressed with gzip -9n, as Debian wants manual pages and
# changelogs: no name or time stamp inside, so every build makes the same bytes.
include(GNUInstallDirs)

function(quorlan_install_compressed source destination component)
  get_filename_component(name ${source} NAME)
  cmake_parse_arguments(ARG "" "RENAME" "" ${ARGN})
  if(ARG_RENAME)
    set(name ${ARG_RENAME})
  endif()
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/compressed/${component}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed/${component}
    COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/${source} > ${compressed}
    DEPENDS ${source} VERBATIM)
  string(MAKE_C_IDENTIFIER "compress_${component}_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${destination} COMPONENT ${component})
endfunction()
