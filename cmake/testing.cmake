# GoogleTest: the system's prebuilt libraries on the host, or the system's
# sources (Debian's googletest package) when cross-compiling. A cross build
# runs its test programs through CMAKE_CROSSCOMPILING_EMULATOR (Wine, named
# by cmake/mingw-w64.cmake).
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QS_GTEST_LIBS gtest_main gtest)
else()
  find_package(GTest REQUIRED)
  set(QS_GTEST_LIBS GTest::gtest_main GTest::gtest)
endif()

function(qs_unit_tests name lib)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*_test.cc)
  if(tests)
    add_executable(${name}_tests ${tests})
    target_link_libraries(${name}_tests PRIVATE ${lib} ${QS_GTEST_LIBS})
    if(WIN32)
      target_link_options(${name}_tests PRIVATE -static)
    endif()
    add_test(NAME ${name} COMMAND ${name}_tests)
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      # An emulator does not always pass a crashed program's status on (Wine
      # can end one with status 0), so the run must also have reached its
      # summary and reported no failure.
      set_tests_properties(${name} PROPERTIES
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception|Unhandled page fault")
    endif()
  endif()
endfunction()
