# The cross build for Windows: the libraries, the command-line tool and their
# tests, run under Wine. No Qt and no benchmarks. The libraries that have no
# MinGW package are built from Debian's own sources.

set(QUORVANE_WITH_APP OFF)
set(QUORVANE_WITH_BENCH OFF)

# pugixml from Debian's source package, fetched once into the build folder.
execute_process(
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/debian-source.sh pugixml ${CMAKE_BINARY_DIR}/_deps/pugixml
  OUTPUT_VARIABLE pugixml_source OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE pugixml_result)
if(NOT pugixml_result EQUAL 0 OR NOT EXISTS "${pugixml_source}/src/pugixml.cpp")
  message(FATAL_ERROR "Cannot get Debian's pugixml source package (${pugixml_result})")
endif()
add_library(pugixml STATIC ${pugixml_source}/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${pugixml_source}/src)
add_library(pugixml::pugixml ALIAS pugixml)

# zlib from MinGW-w64's package; its archive, since the programs are linked
# statically.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

# GoogleTest from the sources that Debian's googletest package installs.
set(QUORVANE_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest's sources, as Debian's googletest package installs them")
set(INSTALL_GTEST OFF)
add_subdirectory(${QUORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL
                 SYSTEM)

enable_testing()
include(GoogleTest)

# All tests share one Wine server; see wine-server.sh.
set(QUORVANE_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
add_test(NAME wine_server_start
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-server.sh start ${QUORVANE_WINE_PREFIX})
add_test(NAME wine_server_stop
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-server.sh stop ${QUORVANE_WINE_PREFIX})
set_tests_properties(wine_server_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine)

add_subdirectory(base)
add_subdirectory(chart)
add_subdirectory(word)
add_subdirectory(app)
add_subdirectory(tests)
add_subdirectory(packaging/windows)
add_subdirectory(tests/windows)
