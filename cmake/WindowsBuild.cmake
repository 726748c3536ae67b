# What the Windows x64 build does differently, included from the top level when
# the target is Windows.  Inputs (scripts/build-windows.sh passes them):
#   CORVANE_TINYXML2_SOURCE  folder with tinyxml2.cpp and tinyxml2.h (Debian's
#                            source package), compiled into a static library
#   CORVANE_GTEST_SOURCE     GoogleTest's sources (/usr/src/googletest)
#   CORVANE_NATIVE_TOOLS     a build of this project for the build machine,
#                            whose resource programs (property list, embedding,
#                            drawing) run here, since cairo has no Windows build
# There is no cairo for the target: the host library leaves out its renderer,
# and corvane-host says so in --help.
set(CORVANE_TINYXML2_SOURCE "" CACHE PATH "tinyxml2 source folder")
set(CORVANE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source folder")
set(CORVANE_NATIVE_TOOLS "" CACHE PATH "build folder with the resource programs for the build machine")

if(NOT EXISTS "${CORVANE_TINYXML2_SOURCE}/tinyxml2.cpp")
  message(FATAL_ERROR "CORVANE_TINYXML2_SOURCE must name a folder with tinyxml2.cpp")
endif()
add_library(corvane_tinyxml2 STATIC ${CORVANE_TINYXML2_SOURCE}/tinyxml2.cpp)
target_include_directories(corvane_tinyxml2 SYSTEM PUBLIC ${CORVANE_TINYXML2_SOURCE})
add_library(PkgConfig::TINYXML2 ALIAS corvane_tinyxml2)
set(CORVANE_HAVE_CAIRO OFF)

# The resource programs of the build machine, in place of their targets.
foreach(tool resources/corvane_make_pipl resources/corvane_embed_resources resources/art/corvane_draw_resources)
  get_filename_component(_name ${tool} NAME)
  if(NOT EXISTS "${CORVANE_NATIVE_TOOLS}/${tool}")
    message(FATAL_ERROR "CORVANE_NATIVE_TOOLS has no ${tool}: build it for this machine first")
  endif()
  add_executable(${_name} IMPORTED GLOBAL)
  set_target_properties(${_name} PROPERTIES IMPORTED_LOCATION "${CORVANE_NATIVE_TOOLS}/${tool}")
endforeach()

if(CORVANE_BUILD_TESTS)
  enable_testing()
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${CORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  # Under Wine every process start costs most of a second, so each test
  # program is one CTest test that runs all of its cases (the program's own
  # output names a failing case), not one process per case.  Properties given
  # to gtest_discover_tests (a timeout) apply to the program's test.
  function(gtest_discover_tests target)
    cmake_parse_arguments(DISCOVER "" "DISCOVERY_MODE;DISCOVERY_TIMEOUT" "PROPERTIES" ${ARGN})
    add_test(NAME ${target} COMMAND ${target})
    if(DISCOVER_PROPERTIES)
      set_tests_properties(${target} PROPERTIES ${DISCOVER_PROPERTIES})
    endif()
  endfunction()
  # Test programs run under Wine with a prefix of the build's own, made on
  # first use, so that nothing depends on the user's ~/.wine.
  set(CORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CORVANE_WINE_ENVIRONMENT WINEPREFIX=${CORVANE_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${CORVANE_WINE_ENVIRONMENT} ${CORVANE_WINE64})
endif()
