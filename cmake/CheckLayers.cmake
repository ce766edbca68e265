# Which folders the sources of each folder may include from, and where Qt may
# be used: the direction of the layers. Included, it only names the layers;
# run in script mode (at every build, and by the test that plants wrong
# includes) it checks every include of their sources:
#   cmake -DSOURCE_DIR=ROOT [-DSTAMP=FILE] -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)

set(QUORLAN_LAYERS platform catalogue settings networks ui dialogs authlevel library cli host)

set(may_include_platform    platform)
set(may_include_catalogue   catalogue platform)
set(may_include_settings    settings catalogue platform)
set(may_include_networks    networks settings catalogue platform)
set(may_include_ui          ui platform)
set(may_include_ui/headless ui/headless ui platform)
set(may_include_ui/qt       ui/qt ui catalogue platform)
set(may_include_dialogs     dialogs networks settings catalogue platform ui)
set(may_include_authlevel   authlevel catalogue platform ui ui/qt)
set(may_include_library     library dialogs networks settings catalogue platform ui ui/qt)
set(may_include_cli         cli networks settings catalogue platform)
set(may_include_host        host library catalogue platform ui/qt)
set(may_use_qt ui/qt authlevel library host)
if(NOT CMAKE_SCRIPT_MODE_FILE)
  return()
endif()

# The layer of a path below the root: its first folder, or ui/qt and
# ui/headless for the two windowing backends.
function(layer_of path result)
  if(path MATCHES "^ui/(qt|headless)/")
    set(${result} "ui/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^([a-z_]+)/")
    set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

set(known_layers ${QUORLAN_LAYERS} ui/qt ui/headless)

# The layer of the file an include names, or "" for one outside the
# project. As the compiler looks: a quoted path beside the including file
# first ("../" always from there), then from the root; the root is on the
# include path before the system's folders, so a layer's folder in angle
# brackets is the project's too.
function(included_layer source quoted path result)
  cmake_path(GET source PARENT_PATH folder)
  cmake_path(APPEND folder ${path} OUTPUT_VARIABLE beside)
  cmake_path(NORMAL_PATH beside)
  set(resolved ${path})
  if(quoted AND (path MATCHES "^\\.\\.?/" OR EXISTS ${SOURCE_DIR}/${beside}))
    set(resolved ${beside})
  endif()
  cmake_path(NORMAL_PATH resolved)
  layer_of(${resolved} layer)
  if(NOT layer IN_LIST known_layers)
    set(layer "")
  endif()
  set(${result} "${layer}" PARENT_SCOPE)
endfunction()

# Qt's headers in any spelling: a class (QWidget), a module's folder
# (QtCore/QString, QtWidgets/qwidget.h) or a lower-case file (qwidget.h).
set(qt_header "^(Q[A-Za-z0-9_]*(/.*)?|q[a-z0-9_]*[.]h)$")

set(faults "")
foreach(layer IN LISTS QUORLAN_LAYERS)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    layer_of(${source} own)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(NOT line MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        continue()
      endif()
      set(path ${CMAKE_MATCH_2})
      set(quoted OFF)
      if(CMAKE_MATCH_1 STREQUAL "\"")
        set(quoted ON)
      endif()
      included_layer(${source} ${quoted} ${path} included)
      if(included AND NOT included IN_LIST may_include_${own})
        string(APPEND faults "  ${source}: ${own} may not include ${path}\n")
      elseif(NOT included AND path MATCHES "${qt_header}" AND NOT own IN_LIST may_use_qt)
        string(APPEND faults "  ${source}: ${own} may not use Qt (${path})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the direction of the layers (docs/architecture.md):\n${faults}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
