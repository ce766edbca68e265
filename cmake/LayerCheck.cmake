# The layers below the dialogs know no window: a source of theirs that
# includes the windowing layer or Qt stops the build at configure time.
function(quorlan_check_windowless_layers)
  foreach(layer IN ITEMS settings catalogue platform)
    file(GLOB_RECURSE sources ${PROJECT_SOURCE_DIR}/${layer}/*.h ${PROJECT_SOURCE_DIR}/${layer}/*.cpp)
    foreach(source IN LISTS sources)
      file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](ui/|dialogs/|Q[A-Za-z]*[>\"]|Qt[A-Za-z]*/)")
      if(includes)
        message(FATAL_ERROR "${source} is below the windowing layer but includes: ${includes}")
      endif()
    endforeach()
  endforeach()
endfunction()
quorlan_check_windowless_layers()
