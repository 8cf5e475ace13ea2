# vitrina_layer(NAME SOURCES ... DEPENDS ...): one static library per layer of src/.
function(vitrina_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(vitrina_${name} STATIC ${ARG_SOURCES})
  target_include_directories(vitrina_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vitrina_${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# vitrina_test(NAME SOURCES ... [LINUX_SOURCES ...] [WINDOWS_SOURCES ...] DEPENDS ...): a GoogleTest
# executable whose cases ctest lists one by one. Tests run on Qt's offscreen platform,
# from a scratch folder of their own. Paths compiled into a test name the build
# machine's files as the test sees them: under Wine its root is drive Z:.
function(vitrina_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINUX_SOURCES;WINDOWS_SOURCES;DEPENDS" ${ARGN})
  if(WIN32)
    set(system_sources ${ARG_WINDOWS_SOURCES})
  else()
    set(system_sources ${ARG_LINUX_SOURCES})
  endif()
  add_executable(${name} ${ARG_SOURCES} ${system_sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VITRINA_TEST_DATA="${VITRINA_TEST_DRIVE}${PROJECT_SOURCE_DIR}/tests/data"
    VITRINA_SOURCE_DIR="${VITRINA_TEST_DRIVE}${PROJECT_SOURCE_DIR}"
    VITRINA_BINARY_DIR="${VITRINA_TEST_DRIVE}${PROJECT_BINARY_DIR}")
  set(environment "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Wine keeps QT_* variables from its programs unless they come as WINEQT_*.
    list(APPEND environment "WINEQT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    # Under Wine the listing starts a whole system first.
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${environment}"
    # A test that hangs fails instead of holding up the suite.
    TIMEOUT 900)
endfunction()

# vitrina_test_program(TEST TARGET): defines the path TEST knows the program TARGET by,
# as VITRINA_KIT for vitrina-kit and VITRINA_PROGRAM for the launcher.
function(vitrina_test_program test target)
  add_dependencies(${test} ${target})
  if(target STREQUAL "vitrina-kit")
    set(macro VITRINA_KIT)
  else()
    set(macro VITRINA_PROGRAM)
  endif()
  target_compile_definitions(${test} PRIVATE ${macro}="${VITRINA_TEST_DRIVE}$<TARGET_FILE:${target}>")
endfunction()

# vitrina_skipped_on_windows(NAME REASON): in the Windows build, a test NAME that only
# says why what it stands for is not run there, and shows in ctest as skipped.
function(vitrina_skipped_on_windows name reason)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "skipped on Windows: ${reason}")
    set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "skipped on Windows")
  endif()
endfunction()

# vitrina_embed_form(TARGET FORM SYMBOL): compiles the text form description FORM into
# a binary stream linked into TARGET as `extern const TFormResource SYMBOL`.
function(vitrina_embed_form target form symbol)
  get_filename_component(stem ${form} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${stem}_form.cpp)
  set(dep ${CMAKE_CURRENT_BINARY_DIR}/${stem}_form.d)
  add_custom_command(
    OUTPUT ${out}
    COMMAND vitrina-formc ${form} ${out} ${symbol} ${dep}
    DEPENDS vitrina-formc ${form}
    DEPFILE ${dep}
    COMMENT "Compiling form ${stem}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
