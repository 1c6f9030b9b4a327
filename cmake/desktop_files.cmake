# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the desktop entry and the AppStream metainfo into VORELLE_DESKTOP_OUT.
# Included when the build is configured, and run on its own by
# tools/check-package to validate the files with other addresses:
#
#   cmake -D VORELLE_SOURCE_DIR=<source> -D VORELLE_DESKTOP_OUT=<folder>
#         -D VORELLE_VERSION=5.0.0 [-D VORELLE_HOMEPAGE_URL=https://...]
#         [-D VORELLE_CONTACT_EMAIL=...] [-D VORELLE_BUGTRACKER_URL=...]
#         [-D VORELLE_SCREENSHOT_BASE_URL=...] -P cmake/desktop_files.cmake
#
# An address left empty leaves its element out of the metainfo: no home page,
# no bug tracker, no contact, no screenshots.

include(${CMAKE_CURRENT_LIST_DIR}/releases.cmake)

set(VORELLE_APP_ID "org.vorelle.vorelle")
foreach(var VORELLE_SOURCE_DIR VORELLE_DESKTOP_OUT VORELLE_VERSION)
  if(NOT ${var})
    message(FATAL_ERROR "desktop_files.cmake needs ${var}")
  endif()
endforeach()

# A web address starts with http:// or https:// and holds no space, quote or
# angle bracket; a mail address is one "@" between two such words.
foreach(var VORELLE_HOMEPAGE_URL VORELLE_BUGTRACKER_URL VORELLE_SCREENSHOT_BASE_URL)
  if(NOT "${${var}}" STREQUAL "" AND NOT "${${var}}" MATCHES "^https?://[^] \t\"'<>\\\\[]+$")
    message(FATAL_ERROR "${var} must be empty or a web address starting with http:// or "
                        "https://, without spaces or quotes: \"${${var}}\"")
  endif()
endforeach()
if(NOT "${VORELLE_CONTACT_EMAIL}" STREQUAL ""
   AND NOT "${VORELLE_CONTACT_EMAIL}" MATCHES "^[^] \t\"'<>\\\\[@:/]+@[^] \t\"'<>\\\\[@:/]+$")
  message(FATAL_ERROR "VORELLE_CONTACT_EMAIL must be empty or a mail address such as "
                      "name@host.org: \"${VORELLE_CONTACT_EMAIL}\"")
endif()

function(vorelle_xml_text out text)
  string(REPLACE "&" "&amp;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

vorelle_read_releases(${VORELLE_SOURCE_DIR}/desktop/changelog.in)
list(GET VORELLE_RELEASE_VERSIONS 0 newest)
if(NOT newest STREQUAL VORELLE_VERSION)
  message(FATAL_ERROR "desktop/changelog.in has no entry for version ${VORELLE_VERSION} at its "
                      "top (it starts with ${newest})")
endif()
set(VORELLE_METAINFO_RELEASES "")
foreach(version date IN ZIP_LISTS VORELLE_RELEASE_VERSIONS VORELLE_RELEASE_DATES)
  string(APPEND VORELLE_METAINFO_RELEASES "    <release version=\"${version}\" date=\"${date}\"/>\n")
endforeach()

set(VORELLE_METAINFO_CONTACT "")
if(VORELLE_CONTACT_EMAIL)
  set(VORELLE_METAINFO_CONTACT "  <update_contact>${VORELLE_CONTACT_EMAIL}</update_contact>\n")
endif()
set(VORELLE_METAINFO_ADDRESSES "")
foreach(type_and_var homepage:VORELLE_HOMEPAGE_URL bugtracker:VORELLE_BUGTRACKER_URL)
  string(REPLACE ":" ";" type_and_var ${type_and_var})
  list(GET type_and_var 0 type)
  list(GET type_and_var 1 var)
  if(${var})
    vorelle_xml_text(url "${${var}}")
    string(APPEND VORELLE_METAINFO_ADDRESSES "  <url type=\"${type}\">${url}</url>\n")
  endif()
endforeach()
if(VORELLE_SCREENSHOT_BASE_URL)
  vorelle_xml_text(base "${VORELLE_SCREENSHOT_BASE_URL}")
  string(REGEX REPLACE "/+$" "" base "${base}")
  string(APPEND VORELLE_METAINFO_ADDRESSES
    "  <screenshots>\n"
    "    <screenshot type=\"default\">\n"
    "      <caption>Writing a number in words</caption>\n"
    "      <caption xml:lang=\"fr\">Écrire un nombre en lettres</caption>\n"
    "      <image>${base}/exercise.png</image>\n"
    "    </screenshot>\n"
    "    <screenshot>\n"
    "      <caption>The reward game</caption>\n"
    "      <caption xml:lang=\"fr\">Le jeu en récompense</caption>\n"
    "      <image>${base}/game.png</image>\n"
    "    </screenshot>\n"
    "  </screenshots>\n")
endif()

configure_file(${VORELLE_SOURCE_DIR}/desktop/vorelle.desktop.in
               ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.desktop @ONLY)
configure_file(${VORELLE_SOURCE_DIR}/desktop/vorelle.metainfo.xml.in
               ${VORELLE_DESKTOP_OUT}/${VORELLE_APP_ID}.metainfo.xml @ONLY)
