# SPDX-License-Identifier: GPL-3.0-or-later
# Vorelle as an installed desktop program: where everything goes under the
# prefix, the desktop entry, the AppStream metainfo, the icons, and the .deb.

include(GNUInstallDirs)

# The one application id: desktop file name, AppStream id, icon name and the
# window's application id at start-up.
set(VORELLE_APP_ID "org.vorelle.vorelle")
set(VORELLE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/vorelle")

# The installed program finds its data from where it is: the data folder
# relative to the program's folder.
file(RELATIVE_PATH VORELLE_DATA_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/vorelle")
target_compile_definitions(platform PRIVATE VORELLE_DATA_FROM_BIN="${VORELLE_DATA_FROM_BIN}")
target_compile_definitions(vorelle PRIVATE VORELLE_APP_ID="${VORELLE_APP_ID}")

set(VORELLE_DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)
configure_file(${CMAKE_SOURCE_DIR}/desktop/vorelle.desktop.in
               ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/desktop/vorelle.metainfo.xml.in
               ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/assets/vorelle.svg
               ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.svg COPYONLY)

# The icon theme's PNG sizes, drawn from the SVG at build time.
set(VORELLE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_pngs)
foreach(side ${VORELLE_ICON_SIZES})
  list(APPEND icon_pngs ${VORELLE_DESKTOP_OUT}/icons/${side}x${side}/apps/${VORELLE_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_pngs}
  COMMAND render_icon ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.svg ${VORELLE_DESKTOP_OUT}/icons
          ${VORELLE_ICON_SIZES}
  DEPENDS render_icon ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.svg
  COMMENT "Drawing the program's icon at its theme sizes")
add_custom_target(desktop_icons ALL DEPENDS ${icon_pngs})

install(TARGETS vorelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VORELLE_RUNTIME_ASSETS} DESTINATION ${VORELLE_INSTALL_DATADIR})
install(FILES ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${VORELLE_DESKTOP_OUT}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
# The guide that the program shows (F1), also readable in a web browser.
install(FILES ${CMAKE_SOURCE_DIR}/assets/guide.html DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorelle)

# The .deb: library dependencies computed by dpkg-shlibdeps; the packages the
# program uses without linking them are named here.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vorelle")
set(CPACK_PACKAGE_VENDOR "The Vorelle team")
set(CPACK_PACKAGE_CONTACT "contact@vorelle.example")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vorelle team <contact@vorelle.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learn to write whole numbers in French words")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorelle helps French-speaking schoolchildren learn to write whole numbers in words. \
It draws a number in the range the pupil chooses and checks the French words typed for it; \
a good series opens a falling-blocks game as a reward.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vorelle.example/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL and SDL_mixer are loaded at the first sound rather than linked, so
# dpkg-shlibdeps cannot see them: they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0, libsdl2-mixer-2.0-0, qt6-qpa-plugins, qt6-translations-l10n, timgm6mb-soundfont | sf3-soundfont-gm | sf2-soundfont-gm, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
