# Shared build helpers.

# Production code treats every text as deliberate UTF-8: no implicit casts.
function(varko_strict_texts target)
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# varko_add_test(name SOURCES a.cpp ... LIBS lib ... [ENV VAR=value ...] [TIMEOUT s])
function(varko_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  find_package(Qt6 REQUIRED COMPONENTS Test)
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  # a home of its own per test program: tests that run at the same time
  # never share "ayar.ini", the documents folder or any other per-user file
  set(home ${CMAKE_CURRENT_BINARY_DIR}/${name}-home)
  file(MAKE_DIRECTORY ${home})
  set(env QT_QPA_PLATFORM=offscreen HOME=${home} ${T_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# Folders named in VARKO_SKIP by their path from the root (for example
# -DVARKO_SKIP="tests/distributor;client/widgets") are left out, so one part
# can be built while another is being rewritten.
function(varko_subdirectory dir)
  file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
  if(NOT rel IN_LIST VARKO_SKIP)
    add_subdirectory(${dir})
  endif()
endfunction()
