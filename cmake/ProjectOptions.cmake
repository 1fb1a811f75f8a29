# Compiler settings for the project's own targets: ss_target_options(target) turns warnings into errors;
# an SS_SANITIZE build applies the sanitizers, an SS_FUZZ build the fuzzers' coverage instrumentation,
# to every target.

if(SS_SANITIZE)
  set(SS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${SS_SANITIZER_FLAGS})
  add_link_options(${SS_SANITIZER_FLAGS})
endif()

# The fuzzers see the code they exercise only where it is compiled with their coverage instrumentation:
# in a fuzzing build every library is (a fuzzer links the libraries that hold its parser, and the
# fuzzer itself is compiled with -fsanitize=fuzzer). Programs that are no fuzzer find the hooks in the
# sanitizer runtime, which answers them with nothing; their own code is not instrumented, which spares
# the sanitizer build a quarter of its compile time.
if(SS_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (configure with -DCMAKE_CXX_COMPILER=clang++).")
  endif()
  if(NOT SS_SANITIZE)
    message(FATAL_ERROR "SS_FUZZ goes with SS_SANITIZE (scripts/build.sh sanitize).")
  endif()
  add_compile_options($<$<NOT:$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>>:-fsanitize=fuzzer-no-link>)
endif()

function(ss_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Wno-unused-private-field)
  endif()
endfunction()

# One GoogleTest executable registered with CTest, built on the given test main.
function(ss_add_test_with_main name main)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  ss_target_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${main} GTest::gtest)
  target_compile_definitions(${name} PRIVATE SS_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SS_RESOURCES=${SS_RESOURCE_DIR}")
endfunction()

# ss_add_test(name SOURCES ... LIBS ...): a test program without Qt windows.
function(ss_add_test name)
  ss_add_test_with_main(${name} ss_test_main ${ARGN})
endfunction()

# ss_add_ui_test(name SOURCES ... LIBS ...): the same for tests that need a QApplication; their main
# (tests/ui_test_main.cpp) runs Qt headless, keeps dialog settings in a temporary folder and fails the
# test on every problem of a ui::ScriptedUser.
function(ss_add_ui_test name)
  ss_add_test_with_main(${name} ss_ui_test_main ${ARGN})
endfunction()

# ss_add_dialog_picture_tests(NAME...): for each demonstration dialog, a CTest case that saves its
# picture through the host shell (sshost dialog NAME --png FILE), as a person asks for it, into the
# current build folder, and checks that a PNG file came out.
function(ss_add_dialog_picture_tests)
  foreach(demo ${ARGN})
    set(picture "${CMAKE_CURRENT_BINARY_DIR}/${demo}.png")
    add_test(NAME sshost.dialogPicture.${demo}
      COMMAND sh -c "rm -f '${picture}' && '$<TARGET_FILE:sshost>' dialog ${demo} --png '${picture}' && head -c 8 '${picture}' | od -An -c | tr -d ' \\n'")
    set_tests_properties(sshost.dialogPicture.${demo} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SS_SETTINGS=/nonexistent;SS_RESOURCES=${SS_RESOURCE_DIR}"
      PASS_REGULAR_EXPRESSION "Picture of the dialog \"${demo}\" saved as .*${demo}.png.*PNG")
  endforeach()
endfunction()
