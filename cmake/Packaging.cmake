# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts under the prefix, and the Debian package `cpack -G DEB` makes of
# it: the two programs, the desktop entry, the icon in the hicolor theme, the file types, the
# AppStream metadata, the manual pages (written from the README at build time) and the package
# documents. The help pages are compiled into the window program, so none are installed.
include(GNUInstallDirs)

set(TUNEDEX_APP_ID org.tunedex.Tunedex)
# The date of this version; change it with the version in project().
set(TUNEDEX_RELEASE_DATE 2026-12-10)
set(TUNEDEX_MAINTAINER "Tunedex developers <tunedex@example.org>"
    CACHE STRING "The Debian package's maintainer")

set(data ${PROJECT_SOURCE_DIR}/data)
set(generated ${PROJECT_BINARY_DIR}/data)
file(MAKE_DIRECTORY ${generated})

install(TARGETS tunedex tunedex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${data}/${TUNEDEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/tunedex.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
configure_file(${data}/${TUNEDEX_APP_ID}.metainfo.xml.in
               ${generated}/${TUNEDEX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${TUNEDEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the artwork's SVG as the scalable one, and pictures of it in the sizes desktops ask
# for, drawn at build time.
set(icon_svg ${PROJECT_SOURCE_DIR}/src/ui/art/icon.svg)
set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${icon_svg} DESTINATION ${icon_dir}/scalable/apps RENAME ${TUNEDEX_APP_ID}.svg)
find_program(TUNEDEX_RSVG_CONVERT rsvg-convert)
set(package_files)
if(TUNEDEX_RSVG_CONVERT)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${generated}/icons/${size}/${TUNEDEX_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}
      COMMAND ${TUNEDEX_RSVG_CONVERT} --width=${size} --height=${size} --format=png
              --output=${png} ${icon_svg}
      DEPENDS ${icon_svg}
      COMMENT "Drawing the ${size}x${size} icon"
      VERBATIM)
    list(APPEND package_files ${png})
    install(FILES ${png} DESTINATION ${icon_dir}/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert (Debian package librsvg2-bin) is missing: "
                  "only the scalable icon is installed")
endif()

# Manual pages from the README's sections, compressed as Debian wants them.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  foreach(program tunedex tunedex-cli)
    set(page ${generated}/man/${program}.1.gz)
    add_custom_command(
      OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
      COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/readme-to-man.py
              ${PROJECT_SOURCE_DIR}/README.md ${program} ${PROJECT_VERSION}
              ${TUNEDEX_RELEASE_DATE} ${page}
      DEPENDS ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/scripts/readme-to-man.py
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    list(APPEND package_files ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(WARNING "Python 3 is missing: the manual pages are not made")
endif()

# The package documents: the copyright in Debian's machine-readable form and the changelog.
execute_process(
  COMMAND date -u -d "${TUNEDEX_RELEASE_DATE} 12:00:00" "+%a, %d %b %Y %H:%M:%S +0000"
  OUTPUT_VARIABLE TUNEDEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
set(TUNEDEX_DEB_VERSION ${PROJECT_VERSION})
configure_file(${data}/changelog.in ${generated}/changelog @ONLY)
add_custom_command(
  OUTPUT ${generated}/changelog.gz
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${generated}/changelog ${generated}/changelog.gz
  DEPENDS ${generated}/changelog
  COMMENT "Compressing the package changelog"
  VERBATIM)
list(APPEND package_files ${generated}/changelog.gz)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/tunedex)
install(FILES ${data}/copyright DESTINATION ${docdir})
install(FILES ${generated}/changelog.gz DESTINATION ${docdir})

add_custom_target(tunedex-package-files ALL DEPENDS ${package_files})

set(CPACK_PACKAGE_NAME tunedex)
set(CPACK_PACKAGE_VENDOR "The Tunedex developers")
set(CPACK_PACKAGE_CONTACT "${TUNEDEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of karaoke songs for karaoke hosts")
set(CPACK_PACKAGE_DESCRIPTION
    "Tunedex keeps one record per karaoke song in a catalogue file: the song\n"
    "files of a host's collection (KAR, ST3, MIDI, MP3 with CDG, WMA, KFN and\n"
    "MPEG video) on local, removable and network drives. It shows the catalogue\n"
    "with views, sorting and search, imports songs by browsing folders or\n"
    "scanning drives, repairs records whose files moved, hands each song to the\n"
    "player program chosen for its type, and runs the evening's playlist of\n"
    "singers and songs.\n"
    "\n"
    "tunedex-cli works on the same catalogues without a window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${TUNEDEX_DEB_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TUNEDEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The artwork is SVG, which Qt reads through the image and icon plugins of its SVG module;
# the programs do not link that library, so the computed list cannot name it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Qt draws text with whatever fonts the system has; a fresh system may have none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
