# SPDX-License-Identifier: GPL-3.0-or-later
# Vorelle as an installed desktop program: where everything goes under the
# prefix, the project's addresses, the desktop entry, the AppStream metainfo
# and the icons. The .deb is cmake/package.cmake.

include(GNUInstallDirs)

# The project's addresses. None is made up: each one left empty is left out
# of the metainfo, the package and the about box.
set(VORELLE_HOMEPAGE_URL "" CACHE STRING
    "The project's home page (https://...), shown in the about box, the metainfo and the package")
set(VORELLE_CONTACT_EMAIL "" CACHE STRING
    "The contact mail address, shown in the about box, the metainfo and the copyright file")
set(VORELLE_BUGTRACKER_URL "" CACHE STRING "Where to report a fault (https://...), in the metainfo")
set(VORELLE_SCREENSHOT_BASE_URL "" CACHE STRING
    "The web folder that holds exercise.png and game.png of docs/images, for the metainfo")
target_compile_definitions(window_kit PRIVATE VORELLE_CONTACT_EMAIL="${VORELLE_CONTACT_EMAIL}"
                                              VORELLE_HOMEPAGE_URL="${VORELLE_HOMEPAGE_URL}")

# The desktop entry and the metainfo (cmake/desktop_files.cmake checks the
# addresses).
set(VORELLE_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(VORELLE_DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)
set(VORELLE_VERSION ${PROJECT_VERSION})
include(${CMAKE_CURRENT_LIST_DIR}/desktop_files.cmake)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/desktop/changelog.in)

# The one application id (VORELLE_APP_ID, set in desktop_files.cmake) is the
# desktop file's name, the AppStream id, the icon's name and the window's
# application id at start-up.
set(VORELLE_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/vorelle")

# The installed program finds its data from where it is: the data folder
# relative to the program's folder.
file(RELATIVE_PATH VORELLE_DATA_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/vorelle")
target_compile_definitions(files PRIVATE VORELLE_DATA_FROM_BIN="${VORELLE_DATA_FROM_BIN}")
target_compile_definitions(vorelle PRIVATE VORELLE_APP_ID="${VORELLE_APP_ID}")

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
