# A core subsystem is a static library made of every source in its folder;
# adding a file to a folder needs no build edit.
function(zaro_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per tests/ folder, made of every source in it, or of the
# SOURCES given; LABELS go to each of its tests.
function(zaro_test_program name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES;LABELS" ${ARGN})
  if(ARG_SOURCES)
    set(sources ${ARG_SOURCES})
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} zaro_test_support GTest::gtest_main)
  if(TARGET ZaroMath)
    add_dependencies(${name} ZaroMath)
  endif()
  set(properties)
  if(ARG_LABELS)
    set(properties PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  # Cases of TEST_P tables keep their generated names (the printed value
  # of a case is no name).
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                       DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${properties})
endfunction()
