# What `cmake --install` puts where. A system install: the two programs, a desktop
# entry and the icon. With VITRINA_BUNDLE (scripts/bundle): the relocatable bundle.
include(GNUInstallDirs)

if(VITRINA_BUNDLE AND WIN32)
  include(${PROJECT_SOURCE_DIR}/cmake/BundleWindows.cmake)
  vitrina_install_bundle()
  return()
elseif(VITRINA_BUNDLE)
  include(${PROJECT_SOURCE_DIR}/cmake/Bundle.cmake)
  vitrina_install_bundle()
  return()
endif()

install(TARGETS vitrina vitrina-kit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The entry lets desktops name the running window and find its icon; it stays out of
# the menus, because Vitrina runs in a disc's folder, not from a menu.
install(FILES ${PROJECT_SOURCE_DIR}/resources/vitrina.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/vitrina-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vitrina.png)
endforeach()
