# mv_add_library(NAME DIR LIBS...): one static library per source folder; every
# .cpp/.h in DIR (not below it) is part of it.
function(mv_add_library name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  add_library(${name} STATIC ${_src})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# mv_add_test(NAME SOURCES... LIBS lib...): a QtTest suite registered with CTest.
# GUI suites run on the offscreen platform; every suite gets a private settings
# folder so that it never touches the user's real settings.
function(mv_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test mv_test_support ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;MEMVAULT_CONFIG_DIR=${CMAKE_BINARY_DIR}/test-settings/${name};MEMVAULT_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;MEMVAULT_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    TIMEOUT 300)
endfunction()
