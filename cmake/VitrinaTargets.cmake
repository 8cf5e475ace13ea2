# vitrina_layer(NAME SOURCES ... DEPENDS ...): one static library per layer of src/.
function(vitrina_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(vitrina_${name} STATIC ${ARG_SOURCES})
  target_include_directories(vitrina_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vitrina_${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# vitrina_test(NAME SOURCES ... DEPENDS ...): a GoogleTest executable whose cases ctest lists one by one.
# Tests run on Qt's offscreen platform, from a scratch folder of their own.
function(vitrina_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    VITRINA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    VITRINA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VITRINA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    # A test that hangs fails instead of holding up the suite.
    TIMEOUT 900)
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
