# Shared build settings: warnings, sanitizers, source lists and the test helper.

function(kx2_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

if(KX2_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(KX2_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KX2_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KX2_SANITIZE must be address, thread or empty")
endif()

# kx2_glob_sources(var [subdir...]): every .cpp and .h directly in the current
# folder and in the subfolders named (one not made yet lists nothing), without
# main.cpp, which makes a program of its own. Several people add files at once,
# so every folder lists its sources this way rather than by name.
function(kx2_glob_sources var)
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(dir IN LISTS ARGN)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
  endforeach()
  file(GLOB found CONFIGURE_DEPENDS ${patterns})
  list(FILTER found EXCLUDE REGEX "/main\\.cpp$")
  set(${var} ${found} PARENT_SCOPE)
endfunction()

include(GoogleTest)

# kx2_add_test(name SOURCES a.cpp b.cpp LIBS lib...)
# One GoogleTest program per test folder; CTest sees every test case.
function(kx2_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  kx2_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
