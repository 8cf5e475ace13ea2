# The Windows bundle that scripts/bundle --windows installs: bin/ with the two programs,
# every DLL they and their plugins load that Windows itself does not provide, and
# qt.conf; plugins/platforms/; the fonts the forms draw with and the carried licences.

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

  # What the programs and plugins import, named one by one: CMake's own resolver lowers
  # the case of PE import names and then looks for them on this machine's case-sensitive
  # file system, where Qt6Core.dll is not qt6core.dll. scripts/check-windows-bundle
  # holds the result against every import, so a DLL missing here fails there.
  foreach(dll ${VITRINA_WINDOWS_DLLS})
    install(FILES ${VITRINA_QT_PREFIX}/bin/${dll} DESTINATION bin)
  endforeach()
  install(FILES ${VITRINA_MINGW_RUNTIME} DESTINATION bin)
endfunction()
