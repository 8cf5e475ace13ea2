# Install-time step of the bundle: copies the shared libraries the binaries and plugins
# load into lib/, points every file's run path at its neighbours and carries the
# licences of the Debian packages they came from. Needs VITRINA_PATCHELF,
# VITRINA_FONTS_ORIGIN (the folder the fonts were taken from) and VITRINA_QT_PREFIX (Qt's
# install folder: Debian's, or one scripts/build-qt made, which carries its licences).

set(bundle "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# What a desktop must provide itself: it has to match the machine's kernel, drivers or
# display server. Everything else is carried.
set(provided_by_the_desktop
  "^libc\\.so" "^libm\\.so" "^libdl\\.so" "^libpthread\\.so" "^librt\\.so" "^ld-linux"
  "^libGL\\.so" "^libEGL\\.so" "^libGLX\\.so" "^libOpenGL\\.so" "^libGLdispatch\\.so"
  "^libX11\\.so" "^libX11-xcb\\.so" "^libxcb\\.so"
  "^libfontconfig\\.so" "^libfreetype\\.so" "^libdbus-1\\.so"
  "^libstdc\\+\\+\\.so" "^libgcc_s\\.so" "^linux-vdso")

set(own_qt FALSE)
if(NOT VITRINA_QT_PREFIX STREQUAL "/usr")
  set(own_qt TRUE)
  # Qt's libraries go in first, so the search below finds them beside the binaries
  # rather than Debian's of the same names.
  file(MAKE_DIRECTORY "${bundle}/lib")
  file(GLOB qt_libraries "${VITRINA_QT_PREFIX}/lib/libQt6*.so.6")
  foreach(library IN LISTS qt_libraries)
    get_filename_component(name "${library}" NAME)
    file(REAL_PATH "${library}" real)
    file(COPY_FILE "${real}" "${bundle}/lib/${name}" ONLY_IF_DIFFERENT)
  endforeach()
endif()

file(GLOB_RECURSE plugins "${bundle}/plugins/*.so")
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES "${bundle}/bin/vitrina" "${bundle}/bin/vitrina-kit"
  MODULES ${plugins}
  RESOLVED_DEPENDENCIES_VAR carried
  UNRESOLVED_DEPENDENCIES_VAR unresolved
  PRE_EXCLUDE_REGEXES ${provided_by_the_desktop})
if(unresolved)
  message(FATAL_ERROR "bundle: libraries not found on this machine: ${unresolved}")
endif()

function(set_run_path file path)
  execute_process(COMMAND "${VITRINA_PATCHELF}" --set-rpath "${path}" "${file}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "bundle: patchelf failed on ${file}")
  endif()
endfunction()

# The Debian package a file came from, for its licence. dpkg knows a file by the path
# it was installed at, which may be either side of the /usr merge.
function(owning_package file out)
  file(REAL_PATH "${file}" real)
  set(${out} "" PARENT_SCOPE)
  foreach(candidate "${real}" "${file}")
    string(REGEX REPLACE "^/usr/lib/" "/lib/" other "${candidate}")
    if(other STREQUAL candidate)
      string(REGEX REPLACE "^/lib/" "/usr/lib/" other "${candidate}")
    endif()
    foreach(path "${candidate}" "${other}")
      execute_process(COMMAND dpkg-query -S "${path}" OUTPUT_VARIABLE owner ERROR_QUIET RESULT_VARIABLE failed)
      if(NOT failed)
        string(REGEX REPLACE ":.*" "" owner "${owner}")
        string(REGEX REPLACE ":amd64$|:i386$" "" owner "${owner}")
        set(${out} "${owner}" PARENT_SCOPE)
        return()
      endif()
    endforeach()
  endforeach()
endfunction()

set(packages)
file(MAKE_DIRECTORY "${bundle}/lib")
foreach(library IN LISTS carried)
  get_filename_component(name "${library}" NAME)
  file(REAL_PATH "${library}" real)
  if(NOT real STREQUAL "${bundle}/lib/${name}")
    file(COPY_FILE "${real}" "${bundle}/lib/${name}" ONLY_IF_DIFFERENT)
  endif()
  set_run_path("${bundle}/lib/${name}" "$ORIGIN")
  if(library MATCHES "^${bundle}/")
    continue()  # Qt's own, its licences come below
  endif()
  owning_package("${library}" package)
  list(APPEND packages ${package})
endforeach()
if(own_qt)
  if(NOT EXISTS "${VITRINA_QT_PREFIX}/share/licenses/qt6-base/copyright")
    message(FATAL_ERROR "bundle: ${VITRINA_QT_PREFIX} holds no licences of Qt")
  endif()
  file(COPY "${VITRINA_QT_PREFIX}/share/licenses/qt6-base" DESTINATION "${bundle}/share/licenses")
endif()
foreach(plugin IN LISTS plugins)
  get_filename_component(folder "${plugin}" DIRECTORY)
  file(RELATIVE_PATH up "${folder}" "${bundle}")
  set_run_path("${plugin}" "$ORIGIN/${up}/lib")
endforeach()

# The plugins and fonts come from packages of their own.
file(GLOB fonts "${bundle}/share/vitrina/fonts/*.ttf")
foreach(file IN LISTS fonts)
  get_filename_component(name "${file}" NAME)
  owning_package("${VITRINA_FONTS_ORIGIN}/${name}" package)
  list(APPEND packages ${package})
endforeach()
foreach(plugin IN LISTS plugins)
  file(RELATIVE_PATH rel "${bundle}/plugins" "${plugin}")
  file(GLOB origin "/usr/lib/*/qt6/plugins/${rel}")
  if(origin AND NOT own_qt)
    owning_package("${origin}" package)
    list(APPEND packages ${package})
  endif()
endforeach()

list(REMOVE_DUPLICATES packages)
list(SORT packages)
foreach(package IN LISTS packages)
  if(EXISTS "/usr/share/doc/${package}/copyright")
    file(MAKE_DIRECTORY "${bundle}/share/licenses/${package}")
    file(COPY_FILE "/usr/share/doc/${package}/copyright" "${bundle}/share/licenses/${package}/copyright"
         ONLY_IF_DIFFERENT)
  else()
    message(WARNING "bundle: no copyright file for ${package}")
  endif()
endforeach()
