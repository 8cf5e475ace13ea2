# The Windows bundle that scripts/bundle --windows installs: bin/ with the two programs,
# every DLL they and their plugins load that Windows itself does not provide, and
# qt.conf; plugins/platforms/; the fonts the forms draw with and the carried licences.

file(STRINGS ${PROJECT_SOURCE_DIR}/cmake/bundle/windows-system-dlls.txt windows_system_dlls REGEX "^[^#]")

function(vitrina_install_bundle)
  install(TARGETS vitrina vitrina-kit RUNTIME DESTINATION bin)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/bundle/qt.conf DESTINATION bin)
  install(FILES ${VITRINA_QT_PREFIX}/plugins/platforms/qwindows.dll ${VITRINA_QT_PREFIX}/plugins/platforms/qoffscreen.dll
          DESTINATION plugins/platforms)
  install(FILES ${VITRINA_FONT_FILES} DESTINATION share/vitrina/fonts)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/vitrina.ico DESTINATION share/vitrina)
  install(FILES ${VITRINA_QT_PREFIX}/LGPL-3.0-only.txt DESTINATION share/licenses/qt6-base OPTIONAL)
  install(FILES /usr/share/doc/qt6-base-dev/copyright DESTINATION share/licenses/qt6-base OPTIONAL)
  install(FILES /usr/share/doc/libjpeg62-turbo/copyright DESTINATION share/licenses/libjpeg-turbo OPTIONAL)
  install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION share/licenses/mingw-w64-gcc OPTIONAL)
  install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION share/licenses/mingw-w64 OPTIONAL)
  install(FILES /usr/share/doc/fonts-liberation2/copyright DESTINATION share/licenses/fonts-liberation2 OPTIONAL)

  # The DLLs the programs and plugins import, found where this build took them from.
  string(REPLACE ";" "\" \"" system_regexes "${windows_system_dlls}")
  install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    set(bundle \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    file(GET_RUNTIME_DEPENDENCIES
      EXECUTABLES \"\${bundle}/bin/vitrina.exe\" \"\${bundle}/bin/vitrina-kit.exe\"
      MODULES \"\${bundle}/plugins/platforms/qwindows.dll\" \"\${bundle}/plugins/platforms/qoffscreen.dll\"
      DIRECTORIES \"${VITRINA_QT_PREFIX}/bin\" ${VITRINA_MINGW_RUNTIME_DIRS}
      RESOLVED_DEPENDENCIES_VAR carried
      UNRESOLVED_DEPENDENCIES_VAR unresolved
      PRE_EXCLUDE_REGEXES \"${system_regexes}\")
    if(unresolved)
      message(FATAL_ERROR \"bundle: DLLs that are neither carried nor part of Windows: \${unresolved}\")
    endif()
    file(INSTALL \${carried} DESTINATION \"\${bundle}/bin\")
  ")
endfunction()
