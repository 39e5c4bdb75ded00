# Real files written by others; a worktree outside the usual layout points here with -D.
set(TOLVANE_TESTDATA_DIR "${PROJECT_SOURCE_DIR}/../shared/testdata" CACHE PATH "Shared test data folder")

# tolvane_add_test(<name> SOURCES <files...> LIBS <targets...> [SLOW <gtest filter>]
#                  [PROPERTIES <test properties...>])
# One GoogleTest executable whose cases CTest discovers one by one. Cases matching the SLOW
# filter ("*" for all, "A.*:B.C" for some) get the label `slow`, which `make test-quick` skips.
function(tolvane_add_test name)
  cmake_parse_arguments(T "" "SLOW" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  tolvane_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Tests may reach every module and each other's support code.
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE
    TOLVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TOLVANE_BINARY_DIR="${PROJECT_BINARY_DIR}"
    TOLVANE_TESTDATA_DIR="${TOLVANE_TESTDATA_DIR}")
  set(properties ENVIRONMENT "SDL_VIDEODRIVER=dummy" ${T_PROPERTIES})
  if(NOT T_SLOW)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${T_SLOW}"
                       PROPERTIES ${properties} LABELS slow)
  if(NOT T_SLOW STREQUAL "*")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-${T_SLOW}"
                         PROPERTIES ${properties})
  endif()
endfunction()

# tolvane_add_subdirectories(): adds every direct subfolder that has a CMakeLists.txt,
# so each module's tests, tools or benchmarks are self-contained.
function(tolvane_add_subdirectories)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
