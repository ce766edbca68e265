# The texts' languages and translations, kept in po/ in gettext's format: the
# list of languages that CMake reads here, and the tables the programs compile
# in, made from the translations at build time.
set(QUORLAN_TRANSLATIONS ${PROJECT_SOURCE_DIR}/po)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUORLAN_TRANSLATIONS}/languages.txt)

# One item per column: the screenshot name (the column's name in lower case)
# and the locale it is shown under.
set(QUORLAN_LANGUAGE_NAMES "")
set(QUORLAN_LANGUAGE_LOCALES "")
file(STRINGS ${QUORLAN_TRANSLATIONS}/languages.txt lines REGEX "^[^#]*[^# \t]")
foreach(line IN LISTS lines)
  string(REGEX MATCHALL "[^ \t]+" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 2 locale)
  string(TOLOWER ${name} name)
  list(APPEND QUORLAN_LANGUAGE_NAMES ${name})
  list(APPEND QUORLAN_LANGUAGE_LOCALES ${locale})
endforeach()
list(LENGTH QUORLAN_LANGUAGE_NAMES QUORLAN_LANGUAGE_COUNT)

find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)
find_program(QUORLAN_MSGFMT msgfmt REQUIRED)

# Adds to the target the C++ source of a table (catalogue or host), made by
# the generator after it checked every translation.
function(quorlan_add_text_table target kind)
  file(GLOB translations CONFIGURE_DEPENDS ${QUORLAN_TRANSLATIONS}/*.po)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${kind}_text_table.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND Python3::Interpreter ${QUORLAN_TRANSLATIONS}/make_text_table.py
            ${kind} ${QUORLAN_TRANSLATIONS} ${QUORLAN_MSGFMT} ${source}
    DEPENDS ${QUORLAN_TRANSLATIONS}/make_text_table.py ${QUORLAN_TRANSLATIONS}/languages.txt
            ${QUORLAN_TRANSLATIONS}/quorlan.pot ${translations}
    COMMENT "Checking the translations and making the ${kind}'s table of texts"
    VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
