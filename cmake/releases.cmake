# SPDX-License-Identifier: GPL-3.0-or-later
# The releases, read from desktop/changelog.in: the one place where a release
# is written (in Debian's changelog format, newest first). The package's
# changelog, the metainfo's release list, the date of the manual pages and the
# package's fallback timestamp all come from it.

# Sets, in the caller's scope:
#   VORELLE_RELEASE_VERSIONS  the versions, newest first
#   VORELLE_RELEASE_DATES     their dates, YYYY-MM-DD
#   VORELLE_RELEASE_EPOCH     the newest entry's time, in seconds since 1970
function(vorelle_read_releases changelog)
  file(STRINGS ${changelog} lines)
  set(versions)
  set(dates)
  set(epoch)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  foreach(line IN LISTS lines)
    if(line MATCHES "^vorelle \\(([^)]+)\\) ")
      list(APPEND versions ${CMAKE_MATCH_1})
    elseif(line MATCHES "^ -- .+  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) \\+0000$")
      set(day ${CMAKE_MATCH_1})
      set(year ${CMAKE_MATCH_3})
      set(hms ${CMAKE_MATCH_4} ${CMAKE_MATCH_5} ${CMAKE_MATCH_6})
      list(FIND months ${CMAKE_MATCH_2} month)
      if(month LESS 0)
        message(FATAL_ERROR "${changelog}: unknown month in: ${line}")
      endif()
      math(EXPR month "${month} + 1")
      if(month LESS 10)
        set(month 0${month})
      endif()
      list(APPEND dates ${year}-${month}-${day})
      if(NOT DEFINED epoch OR epoch STREQUAL "")
        # Days since 1970-01-01 of a date in the Gregorian calendar.
        set(y ${year})
        if(month LESS_EQUAL 2)
          math(EXPR y "${year} - 1")
        endif()
        math(EXPR era "${y} / 400")
        math(EXPR yoe "${y} - ${era} * 400")
        math(EXPR mp "(1${month} - 100 + 9) % 12")
        math(EXPR doy "(153 * ${mp} + 2) / 5 + 1${day} - 100 - 1")
        math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
        math(EXPR days "${era} * 146097 + ${doe} - 719468")
        list(GET hms 0 h)
        list(GET hms 1 m)
        list(GET hms 2 s)
        # Leading zeros would read as octal.
        math(EXPR epoch "${days} * 86400 + (1${h} - 100) * 3600 + (1${m} - 100) * 60 + 1${s} - 100")
      endif()
    elseif(line MATCHES "^ -- ")
      message(FATAL_ERROR "${changelog}: the date must read like \"Sun, 06 Dec 2026 12:00:00 +0000\": ${line}")
    endif()
  endforeach()
  list(LENGTH versions nversions)
  list(LENGTH dates ndates)
  if(nversions EQUAL 0 OR NOT nversions EQUAL ndates)
    message(FATAL_ERROR "${changelog}: every entry needs its heading line and its closing line")
  endif()
  set(VORELLE_RELEASE_VERSIONS ${versions} PARENT_SCOPE)
  set(VORELLE_RELEASE_DATES ${dates} PARENT_SCOPE)
  set(VORELLE_RELEASE_EPOCH ${epoch} PARENT_SCOPE)
endfunction()
