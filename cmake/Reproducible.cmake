# The same commit builds the same packages in any folder and on any day.
#
# Paths: __FILE__ and the debug information name files relative to the
# source and build folders. The build folder may lie inside the source
# folder; the compiler tries the map given last first.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)

# Times: SOURCE_DATE_EPOCH, which scripts/build.sh sets to the time of the
# last commit, stands for the time of the build. Qt's resource compiler
# takes it from the build's environment; cpack, run later on its own, gets
# the value the build was configured with, for the time of every file in
# the packages.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(quorlan_cpack_config ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
  file(WRITE ${quorlan_cpack_config}
       "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
       "  set(ENV{SOURCE_DATE_EPOCH} $ENV{SOURCE_DATE_EPOCH})\n"
       "endif()\n")
  set(CPACK_PROJECT_CONFIG_FILE ${quorlan_cpack_config})
endif()
