# One place that registers a GoogleTest executable with the environment every
# test runs in: no display, and nothing of the user's own files or settings.
include(GoogleTest)

set(QUORLAN_TEST_ROOT ${CMAKE_BINARY_DIR}/test-root)
file(MAKE_DIRECTORY ${QUORLAN_TEST_ROOT}/config ${QUORLAN_TEST_ROOT}/registry ${QUORLAN_TEST_ROOT}/home)

# The restart command of every test: it only writes down that it was asked,
# to KORDAVIN_RESTART_RECORD when a test names its own file.
file(WRITE ${QUORLAN_TEST_ROOT}/record-restart
  "#!/bin/sh\necho \"restart $*\" >> \"\${KORDAVIN_RESTART_RECORD:-${QUORLAN_TEST_ROOT}/restart-requests}\"\n")
file(CHMOD ${QUORLAN_TEST_ROOT}/record-restart
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The fonts a test sees are its own choice, not the machine's: one desktop's
# interface font and Noto CJK, each set in a fontconfig file of the test
# root. DejaVu Sans, Debian's default, for every test; the screenshot checks
# run with the other desktops' fonts too.
set(QUORLAN_TEST_FONTS dejavu noto cantarell liberation)
set(QUORLAN_TEST_FONT_FAMILIES "DejaVu Sans" "Noto Sans" "Cantarell" "Liberation Sans")
set(QUORLAN_TEST_FONT_DIRS
  /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype/noto
  /usr/share/fonts/opentype/cantarell /usr/share/fonts/truetype/liberation2)
foreach(index RANGE 3)
  list(GET QUORLAN_TEST_FONTS ${index} font)
  list(GET QUORLAN_TEST_FONT_FAMILIES ${index} QUORLAN_TEST_FONT_FAMILY)
  list(GET QUORLAN_TEST_FONT_DIRS ${index} QUORLAN_TEST_FONT_DIR)
  set(QUORLAN_TEST_FONT_CACHE ${QUORLAN_TEST_ROOT}/fonts/cache-${font})
  configure_file(${PROJECT_SOURCE_DIR}/tests/support/fonts/fonts.conf.in
                 ${QUORLAN_TEST_ROOT}/fonts/${font}.conf @ONLY)
endforeach()

# Screens of common laptops and desktops, for the runs at a scale.
foreach(screen 1366x768 1920x1080)
  string(REPLACE "x" ";" extent ${screen})
  list(GET extent 0 width)
  list(GET extent 1 height)
  file(WRITE ${QUORLAN_TEST_ROOT}/screens/${screen}.json
    "{\"screens\": [{\"name\": \"${screen}\", \"x\": 0, \"y\": 0, \"width\": ${width}, \"height\": ${height}, \"logicalDpi\": 96}]}\n")
endforeach()
# A desktop monitor beside a netbook's small screen.
file(WRITE ${QUORLAN_TEST_ROOT}/screens/two-screens.json
  "{\"screens\": [{\"name\": \"monitor\", \"x\": 0, \"y\": 0, \"width\": 1920, \"height\": 1080, \"logicalDpi\": 96}, {\"name\": \"netbook\", \"x\": 1920, \"y\": 0, \"width\": 1024, \"height\": 600, \"logicalDpi\": 96}]}\n")

# No test reaches the machine's pkexec: KORDAVIN_PKEXEC names a missing one
# unless a test writes a stand-in of its own. Every system place a program
# would read or write is one of the test root's, and the system bus (so
# NetworkManager) is one that is not there.
set(QUORLAN_TEST_ENVIRONMENT
  "FONTCONFIG_FILE=${QUORLAN_TEST_ROOT}/fonts/dejavu.conf;HOME=${QUORLAN_TEST_ROOT}/home;XDG_CONFIG_HOME=${QUORLAN_TEST_ROOT}/config;APPDATA=;KORDAVIN_REGISTRY_ROOT=${QUORLAN_TEST_ROOT}/registry;KORDAVIN_SAMBA_ROOT=${QUORLAN_TEST_ROOT}/samba;KORDAVIN_RESTART_COMMAND=${QUORLAN_TEST_ROOT}/record-restart;KORDAVIN_PKEXEC=${QUORLAN_TEST_ROOT}/no-pkexec;KORDAVIN_RUN_ROOT=${QUORLAN_TEST_ROOT};KORDAVIN_NM_CONNECTIONS=${QUORLAN_TEST_ROOT}/no-nm-connections;KORDAVIN_NM_TIMESTAMPS=${QUORLAN_TEST_ROOT}/no-nm-timestamps;DBUS_SYSTEM_BUS_ADDRESS=unix:path=${QUORLAN_TEST_ROOT}/no-system-bus;LC_ALL=;LC_MESSAGES=;LANG=en_US.UTF-8")

function(quorlan_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QUORLAN_BINARY_DIR="${CMAKE_BINARY_DIR}"
    QUORLAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # The environment goes in through env, which each discovered test runs
  # under: as the tests' ENVIRONMENT property, a list of variables loses all
  # but the first on its way through the discovery script.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
    "env;QT_QPA_PLATFORM=offscreen;${QUORLAN_TEST_ENVIRONMENT}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

# The screenshot tests of a test program once more for each language, under
# that language's own locale: the fonts that draw Chinese and Japanese follow
# the locale, so each language's pictures are taken in a run of its own.
# The names and locales are those of po/languages.txt.
function(quorlan_add_screenshot_runs target filter)
  math(EXPR last "${QUORLAN_LANGUAGE_COUNT} - 1")
  foreach(column RANGE ${last})
    list(GET QUORLAN_LANGUAGE_NAMES ${column} language)
    list(GET QUORLAN_LANGUAGE_LOCALES ${column} locale)
    add_test(NAME ${target}_screenshots_${language}
             COMMAND $<TARGET_FILE:${target}> --gtest_filter=${filter})
    set_tests_properties(${target}_screenshots_${language} PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;${QUORLAN_TEST_ENVIRONMENT};LANG=${locale}.UTF-8;QUORLAN_SCREENSHOT_LANGUAGE=${column}")
  endforeach()
  # At the scales desktops offer, on the screens that have least room for
  # them: every language checked, and the English pictures kept.
  foreach(scaled 1.25:1366x768 1.5:1366x768 2:1920x1080)
    string(REPLACE ":" ";" scaled ${scaled})
    list(GET scaled 0 scale)
    list(GET scaled 1 screen)
    foreach(run fit screenshots)
      set(picture "")
      if(run STREQUAL screenshots)
        set(picture ";QUORLAN_SCREENSHOT_LANGUAGE=1")
      endif()
      add_test(NAME ${target}_${run}_at_${scale}x
               COMMAND $<TARGET_FILE:${target}> --gtest_filter=${filter})
      set_tests_properties(${target}_${run}_at_${scale}x PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${QUORLAN_TEST_ROOT}/screens/${screen}.json;${QUORLAN_TEST_ENVIRONMENT};QT_SCALE_FACTOR=${scale}${picture}")
    endforeach()
  endforeach()
  # Every language checked once more with each other desktop's font.
  foreach(font IN LISTS QUORLAN_TEST_FONTS)
    if(NOT font STREQUAL dejavu)
      add_test(NAME ${target}_fit_with_${font}
               COMMAND $<TARGET_FILE:${target}> --gtest_filter=${filter})
      set_tests_properties(${target}_fit_with_${font} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;${QUORLAN_TEST_ENVIRONMENT};FONTCONFIG_FILE=${QUORLAN_TEST_ROOT}/fonts/${font}.conf")
    endif()
  endforeach()
endfunction()
