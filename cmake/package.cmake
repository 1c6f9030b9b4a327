# SPDX-License-Identifier: GPL-3.0-or-later
# The .deb (CPack): the package's description and fields, its documentation
# (copyright in the machine-readable format, the changelog, the manual pages
# in English and French) and what makes two packagings of one build give the
# same bytes. tools/check-package checks the result with lintian.

include(${CMAKE_CURRENT_LIST_DIR}/releases.cmake)
vorelle_read_releases(${CMAKE_SOURCE_DIR}/desktop/changelog.in)
list(GET VORELLE_RELEASE_DATES 0 VORELLE_RELEASE_DATE)

set(VORELLE_PACKAGE_OUT ${CMAKE_BINARY_DIR}/package)
set(VORELLE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vorelle)

# The maintainer, as Debian's own tools find it: DEBFULLNAME and DEBEMAIL
# (DEBEMAIL may also read "Name <address>"), read when the build is
# configured. Without them, a name that says the package was built locally,
# in the domain reserved for addresses that are not real.
set(VORELLE_MAINTAINER_NAME "$ENV{DEBFULLNAME}")
set(VORELLE_MAINTAINER_MAIL "$ENV{DEBEMAIL}")
if(VORELLE_MAINTAINER_MAIL MATCHES "^(.*[^ ]) *<([^<>]+)>$")
  if(VORELLE_MAINTAINER_NAME STREQUAL "")
    set(VORELLE_MAINTAINER_NAME "${CMAKE_MATCH_1}")
  endif()
  set(VORELLE_MAINTAINER_MAIL "${CMAKE_MATCH_2}")
endif()
if(VORELLE_MAINTAINER_NAME MATCHES "^[^<>\n]+$" AND VORELLE_MAINTAINER_MAIL MATCHES "^[^ <>\n]+@[^ <>\n]+$")
  set(VORELLE_MAINTAINER "${VORELLE_MAINTAINER_NAME} <${VORELLE_MAINTAINER_MAIL}>")
else()
  set(VORELLE_MAINTAINER "Vorelle local build <local-build@vorelle.invalid>")
endif()
message(STATUS "Package maintainer: ${VORELLE_MAINTAINER}")

# A template of desktop/ with its licence line taken off and its @NAMES@ filled.
function(vorelle_fill_template template output)
  file(READ ${template} text)
  string(REGEX REPLACE "^# SPDX-License-Identifier:[^\n]*\n" "" text "${text}")
  file(CONFIGURE OUTPUT ${output} CONTENT "${text}" @ONLY)
endfunction()

set(VORELLE_COPYRIGHT_ADDRESSES "")
if(VORELLE_CONTACT_EMAIL)
  string(APPEND VORELLE_COPYRIGHT_ADDRESSES "Upstream-Contact: ${VORELLE_CONTACT_EMAIL}\n")
endif()
if(VORELLE_HOMEPAGE_URL)
  string(APPEND VORELLE_COPYRIGHT_ADDRESSES "Source: ${VORELLE_HOMEPAGE_URL}\n")
endif()
vorelle_fill_template(${CMAKE_SOURCE_DIR}/desktop/copyright.in ${VORELLE_PACKAGE_OUT}/copyright)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/desktop/copyright.in)
vorelle_fill_template(${CMAKE_SOURCE_DIR}/desktop/changelog.in ${VORELLE_PACKAGE_OUT}/changelog)

add_custom_command(
  OUTPUT ${VORELLE_PACKAGE_OUT}/changelog.gz
  COMMAND gzip -9n --force --keep ${VORELLE_PACKAGE_OUT}/changelog
  DEPENDS ${VORELLE_PACKAGE_OUT}/changelog
  COMMENT "Compressing the changelog")
set(man_pages)
foreach(lang en fr)
  set(page ${VORELLE_PACKAGE_OUT}/man/${lang}/vorelle.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -D MAN_LANG=${lang} -D MAN_SOURCE_DIR=${CMAKE_SOURCE_DIR}/docs/man
            -D WORK_DIR=${VORELLE_PACKAGE_OUT}/man/${lang} -D VERSION=${PROJECT_VERSION}
            -D DATE=${VORELLE_RELEASE_DATE} -D OUTPUT=${page}
            -P ${CMAKE_CURRENT_LIST_DIR}/man_page.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/vorelle.pod ${CMAKE_SOURCE_DIR}/docs/man/fr.po
            ${CMAKE_SOURCE_DIR}/docs/man/po4a.cfg ${CMAKE_CURRENT_LIST_DIR}/man_page.cmake
    COMMENT "Making the manual page vorelle(1), ${lang}")
  list(APPEND man_pages ${page})
endforeach()
add_custom_target(package_docs ALL DEPENDS ${VORELLE_PACKAGE_OUT}/changelog.gz ${man_pages})

install(FILES ${VORELLE_PACKAGE_OUT}/copyright ${VORELLE_PACKAGE_OUT}/changelog.gz
        DESTINATION ${VORELLE_INSTALL_DOCDIR})
# The guide that the program shows (F1), also readable in a web browser.
install(FILES ${CMAKE_SOURCE_DIR}/assets/guide.html DESTINATION ${VORELLE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/desktop/vorelle-guide.doc-base
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc-base RENAME vorelle-guide)
install(FILES ${VORELLE_PACKAGE_OUT}/man/en/vorelle.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VORELLE_PACKAGE_OUT}/man/fr/vorelle.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)

# The .deb: library dependencies computed by dpkg-shlibdeps; the packages the
# program uses without linking them are named here.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vorelle")
set(CPACK_PACKAGE_VENDOR "The Vorelle team")
set(CPACK_PACKAGE_CONTACT "${VORELLE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORELLE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "learn to write whole numbers in French words")
# The extended description, as Debian shows it: lines of at most 80
# characters, paragraphs apart (CPack puts the summary above it).
set(CPACK_PACKAGE_DESCRIPTION "Vorelle helps French-speaking schoolchildren learn to write whole numbers in
words. It draws a number in the range the pupil chooses, from below one
hundred to below one hundred billion, shows it in digits grouped by threes,
and checks the French words the pupil types for it. A hint tells how many
words the number takes, the solution can be shown, and the score of the
series is given out of ten.

A good series opens Brikko, a falling-blocks game, as a reward. A tip of the
day opens at start-up; teachers and schools may give their own tips.")
if(VORELLE_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VORELLE_HOMEPAGE_URL}")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL and SDL_mixer are loaded at the first sound rather than linked, so
# dpkg-shlibdeps cannot see them: they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0, libsdl2-mixer-2.0-0, qt6-qpa-plugins, qt6-translations-l10n, timgm6mb-soundfont | sf3-soundfont-gm | sf2-soundfont-gm, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# Two packagings of one build give the same bytes: the archive's times are
# SOURCE_DATE_EPOCH, taken from the last commit when cpack runs (see
# cpack_project_config.cmake.in), and the program loses the compiler's
# .comment section, which a distribution's package does not carry.
set(VORELLE_GIT_DIR ${CMAKE_SOURCE_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/cpack_project_config.cmake.in
               ${VORELLE_PACKAGE_OUT}/cpack_project_config.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${VORELLE_PACKAGE_OUT}/cpack_project_config.cmake)
set(CPACK_VORELLE_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack_pre_build.cmake)
include(CPack)
