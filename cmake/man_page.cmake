# SPDX-License-Identifier: GPL-3.0-or-later
# Makes one manual page, vorelle(1), as a gzip file (run by the build):
#
#   cmake -D MAN_LANG=en|fr -D MAN_SOURCE_DIR=<docs/man> -D WORK_DIR=<folder>
#         -D VERSION=5.0.0 -D DATE=YYYY-MM-DD -D OUTPUT=<file.gz> -P man_page.cmake
#
# English: docs/man/vorelle.pod through pod2man. Other languages: the same page
# translated through docs/man/<lang>.po by po4a first, which keeps nothing
# unless every paragraph is translated. Compressed with gzip -9n: no name and
# no time in the file, so that two builds give the same bytes.

foreach(var MAN_LANG MAN_SOURCE_DIR WORK_DIR VERSION DATE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "man_page.cmake needs ${var}")
  endif()
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR})
if(MAN_LANG STREQUAL "en")
  set(pod ${MAN_SOURCE_DIR}/vorelle.pod)
else()
  set(pod ${WORK_DIR}/vorelle.${MAN_LANG}.pod)
  file(REMOVE ${pod})
  execute_process(COMMAND po4a --no-update --keep 100 --srcdir ${MAN_SOURCE_DIR}
                          --destdir ${WORK_DIR} ${MAN_SOURCE_DIR}/po4a.cfg
                  COMMAND_ERROR_IS_FATAL ANY)
  if(NOT EXISTS ${pod})
    message(FATAL_ERROR "docs/man/${MAN_LANG}.po does not translate all of docs/man/vorelle.pod: "
                        "refresh it with po4a-updatepo (see its header) and translate the "
                        "paragraphs it marks")
  endif()
endif()

set(page ${WORK_DIR}/vorelle.${MAN_LANG}.1)
execute_process(COMMAND pod2man --utf8 --errors=die --section=1 --name=VORELLE
                        --center=Vorelle "--release=Vorelle ${VERSION}" --date=${DATE}
                        ${pod} ${page}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9n --stdout ${page} OUTPUT_FILE ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
