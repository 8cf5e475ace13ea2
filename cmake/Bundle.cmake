# The relocatable bundle that scripts/bundle installs: bin/ with qt.conf, lib/ with
# every library the binaries and plugins need except those a desktop must provide
# itself, plugins/, the fonts the forms use and the carried packages' licences.
# Everything finds its neighbours through $ORIGIN run paths.

find_program(PATCHELF patchelf REQUIRED)
find_path(VITRINA_LIBERATION_FONTS LiberationSans-Regular.ttf
          PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
          NO_DEFAULT_PATH REQUIRED)

set(qt_plugins "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")

function(vitrina_install_bundle)
  set_target_properties(vitrina vitrina-kit PROPERTIES INSTALL_RPATH "$ORIGIN/../lib")
  install(TARGETS vitrina vitrina-kit RUNTIME DESTINATION bin)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/bundle/qt.conf DESTINATION bin)

  # xcb (with its GL integrations when this Qt has them) for desktops, offscreen for
  # `vitrina-kit shot`, Wayland only when Debian's plugin is installed here.
  install(FILES ${qt_plugins}/platforms/libqxcb.so ${qt_plugins}/platforms/libqoffscreen.so
          DESTINATION plugins/platforms)
  if(EXISTS ${qt_plugins}/xcbglintegrations)
    install(DIRECTORY ${qt_plugins}/xcbglintegrations DESTINATION plugins)
  endif()
  if(EXISTS ${qt_plugins}/platforms/libqwayland-generic.so)
    file(GLOB wayland_platforms ${qt_plugins}/platforms/libqwayland-*.so)
    install(FILES ${wayland_platforms} DESTINATION plugins/platforms)
    foreach(dir wayland-shell-integration wayland-graphics-integration-client wayland-decoration-client)
      if(EXISTS ${qt_plugins}/${dir})
        install(DIRECTORY ${qt_plugins}/${dir} DESTINATION plugins)
      endif()
    endforeach()
  endif()

  install(PROGRAMS ${PROJECT_SOURCE_DIR}/resources/autorun.sh DESTINATION share/vitrina)

  # The faces the forms and the skin draw with ("MS Sans Serif" and "Arial", plain
  # and bold). The bundle draws with these alone: a brand's skin that names a serif or
  # fixed-width face gets the nearest of them.
  install(FILES ${VITRINA_LIBERATION_FONTS}/LiberationSans-Regular.ttf
                ${VITRINA_LIBERATION_FONTS}/LiberationSans-Bold.ttf
          DESTINATION share/vitrina/fonts)

  install(CODE "set(VITRINA_PATCHELF \"${PATCHELF}\")\nset(VITRINA_FONTS_ORIGIN \"${VITRINA_LIBERATION_FONTS}\")\nset(VITRINA_QT_PREFIX \"${QT6_INSTALL_PREFIX}\")")
  install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/bundle/carry_dependencies.cmake)
endfunction()
