# The Windows build, cross-compiled on Linux with MinGW-w64 against the Qt and
# libjpeg-turbo that scripts/build-qt makes (scripts/build --windows).

# Every program in one folder with the libraries it loads, as Windows finds them.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# Beside the programs, what they load: Qt's and libjpeg's DLLs, the MinGW runtime Qt was
# built with (one C++ runtime in the process), the platform plugins, and the fonts the
# forms draw with, so the build's programs run as the bundle's do.
set(VITRINA_QT_PREFIX "" CACHE PATH "The Qt of scripts/build-qt windows")
set(VITRINA_MINGW_RUNTIME_DIRS /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
set(VITRINA_MINGW_RUNTIME
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
set(VITRINA_WINDOWS_DLLS Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Test.dll libjpeg-62.dll)
find_path(VITRINA_LIBERATION_FONTS LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# The faces the forms and the skin draw with, as the Linux bundle carries them.
set(VITRINA_FONT_FILES ${VITRINA_LIBERATION_FONTS}/LiberationSans-Regular.ttf
                       ${VITRINA_LIBERATION_FONTS}/LiberationSans-Bold.ttf)
if(VITRINA_QT_PREFIX)
  foreach(dll ${VITRINA_WINDOWS_DLLS})
    file(COPY ${VITRINA_QT_PREFIX}/bin/${dll} DESTINATION ${PROJECT_BINARY_DIR}/bin)
  endforeach()
  file(COPY ${VITRINA_MINGW_RUNTIME} DESTINATION ${PROJECT_BINARY_DIR}/bin)
  file(COPY ${VITRINA_QT_PREFIX}/plugins/platforms/qwindows.dll ${VITRINA_QT_PREFIX}/plugins/platforms/qoffscreen.dll
       DESTINATION ${PROJECT_BINARY_DIR}/plugins/platforms)
  file(COPY ${PROJECT_SOURCE_DIR}/cmake/bundle/qt.conf DESTINATION ${PROJECT_BINARY_DIR}/bin)
  file(COPY ${VITRINA_FONT_FILES} DESTINATION ${PROJECT_BINARY_DIR}/share/vitrina/fonts)
endif()

# The form compiler runs at build time, so it comes from a build for this machine.
set(VITRINA_HOST_FORMC "" CACHE FILEPATH "vitrina-formc built for the build machine")
if(CMAKE_CROSSCOMPILING)
  if(NOT EXISTS "${VITRINA_HOST_FORMC}")
    message(FATAL_ERROR "A cross build needs VITRINA_HOST_FORMC: the vitrina-formc of a build for this machine")
  endif()
  add_executable(vitrina-formc IMPORTED)
  set_target_properties(vitrina-formc PROPERTIES IMPORTED_LOCATION "${VITRINA_HOST_FORMC}")
endif()

# The icon and version Windows shows for a program.
function(vitrina_windows_resources target description)
  set(VITRINA_RC_DESCRIPTION "${description}")
  set(VITRINA_RC_FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  set(VITRINA_RC_ICON "${PROJECT_SOURCE_DIR}/resources/vitrina.ico")
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc.in @ONLY)
  file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc INPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc.in)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()

# Debian ships GoogleTest's source; a cross build compiles it for Windows.
macro(vitrina_googletest_from_source)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(library gtest gtest_main gmock)
    if(NOT TARGET GTest::${library})
      add_library(GTest::${library} ALIAS ${library})
    endif()
  endforeach()
endmacro()
