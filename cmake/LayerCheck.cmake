# The direction of the layers, checked at every build: whenever a source of
# theirs changes (or one is added), CheckLayers.cmake reads every include
# again and stops the build at one against the direction.
include(CheckLayers)
set(layer_sources "")
foreach(layer IN LISTS QUORLAN_LAYERS)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/${layer}/*.h ${PROJECT_SOURCE_DIR}/${layer}/*.cpp)
  list(APPEND layer_sources ${sources})
endforeach()
set(layer_stamp ${CMAKE_BINARY_DIR}/layers-checked.stamp)
add_custom_command(
  OUTPUT ${layer_stamp}
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DSTAMP=${layer_stamp}
          -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
  DEPENDS ${layer_sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking the direction of every include")
add_custom_target(layer_check ALL DEPENDS ${layer_stamp})
