# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the Debian changelog of the package from CHANGELOG.md, compressed as
# Debian keeps it, and the AppStream metainfo with its releases filled in:
#   cmake -DCHANGELOG=CHANGELOG.md -DPACKAGE=tamsor -DVERSION=1.0.0
#         -DMAINTAINER="Name <address>" -DDEBIAN_CHANGELOG=path/changelog.gz
#         -DMETAINFO_IN=path/x.metainfo.xml.in -DMETAINFO=path/x.metainfo.xml
#         -P release_notes.cmake
# CHANGELOG.md is read as Keep a Changelog writes it: "## [1.2.0] - 2027-03-01"
# starts a released version, "## [Unreleased]" the changes not yet released,
# "### Added" (or any other heading) a group of changes, and "- " an entry that
# goes on in indented lines; an entry indented under another is a detail of it.
# Anything else (the introduction, link definitions) is left out.
#
# Every released version becomes an entry of the Debian changelog, its date
# that of CHANGELOG.md at noon UTC. The changes under [Unreleased] become an
# entry for VERSION, when VERSION is not released yet, with the distribution
# UNRELEASED and the date of the build (SOURCE_DATE_EPOCH where set).

cmake_minimum_required(VERSION 3.25)

foreach(variable CHANGELOG PACKAGE VERSION MAINTAINER DEBIAN_CHANGELOG METAINFO_IN METAINFO)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "release_notes.cmake: ${variable} not given")
    endif()
endforeach()

set(width 80)  # the longest line of a Debian changelog

# Markdown made plain text: links by their text, no emphasis or code marks.
function(plain text result)
    string(REGEX REPLACE "\\[([^]]*)\\]\\([^)]*\\)" "\\1" text "${text}")
    string(REGEX REPLACE "\\[([^]]*)\\]\\[[^]]*\\]" "\\1" text "${text}")
    string(REPLACE "**" "" text "${text}")
    string(REPLACE "`" "" text "${text}")
    string(REGEX REPLACE "  +" " " text "${text}")
    string(STRIP "${text}" text)
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

# TEXT wrapped to the width, its first line after FIRST, the others after an
# indent as wide as FIRST. Words are found by position: the text may hold
# semicolons and brackets, which CMake's lists would split on.
function(wrap first text result)
    string(LENGTH "${first}" indent)
    string(REPEAT " " ${indent} hanging)
    set(wrapped "")
    set(line "${first}")
    set(line_has_word OFF)
    string(APPEND text " ")
    while(NOT text STREQUAL "")
        string(FIND "${text}" " " end)
        string(SUBSTRING "${text}" 0 ${end} word)
        math(EXPR next "${end} + 1")
        string(SUBSTRING "${text}" ${next} -1 text)
        if(word STREQUAL "")
            continue()
        endif()
        string(LENGTH "${line} ${word}" length)
        if(NOT line_has_word)
            string(APPEND line "${word}")
            set(line_has_word ON)
        elseif(length GREATER width)
            string(APPEND wrapped "${line}\n")
            set(line "${hanging}${word}")
        else()
            string(APPEND line " ${word}")
        endif()
    endwhile()
    set(${result} "${wrapped}${line}\n" PARENT_SCOPE)
endfunction()

# The date of the Debian changelog, "Tue, 08 Dec 2026 12:00:00 +0000", of a
# day given as YEAR-MONTH-DAY: the weekday from the days since 1970-01-01, a
# Thursday (the civil calendar's count of days, as in Howard Hinnant's
# days_from_civil).
function(debian_date year month day result)
    string(REGEX REPLACE "^0" "" month "${month}")
    string(REGEX REPLACE "^0" "" day_of_month "${day}")
    set(y ${year})
    if(month LESS_EQUAL 2)
        math(EXPR y "${year} - 1")
    endif()
    math(EXPR era "${y} / 400")
    math(EXPR year_of_era "${y} - ${era} * 400")
    math(EXPR shifted_month "(${month} + 9) % 12")
    math(EXPR day_of_year "(153 * ${shifted_month} + 2) / 5 + ${day_of_month} - 1")
    math(EXPR day_of_era
         "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
    math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
    math(EXPR weekday "(${days} % 7 + 7 + 4) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    math(EXPR month_index "${month} - 1")
    list(GET months ${month_index} month_name)
    set(${result} "${weekday_name}, ${day} ${month_name} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()

file(READ "${CHANGELOG}" markdown)

# The sections, each a version ("Unreleased" for the changes not yet
# released), its date and its changes as Debian changelog lines.
set(count 0)
set(section -1)
set(entry "")          # the entry being read, Markdown made one line
set(entry_level 0)     # 1 for an entry, 2 for a detail of one
set(group "")          # the group heading not yet written
set(in_group OFF)      # the entries read are bulleted under a group heading
set(rest "${markdown}\n")

# Writes the entry being read into the current section's changes.
macro(finish_entry)
    if(NOT entry STREQUAL "" AND section GREATER_EQUAL 0)
        if(NOT group STREQUAL "")
            string(APPEND body_${section} "  * ${group}:\n")
            set(group "")
            set(in_group ON)
        endif()
        plain("${entry}" text)
        # Entries of a group are bulleted under its name, details one step deeper.
        if(in_group AND entry_level EQUAL 2)
            set(bullet "      + ")
        elseif(in_group OR entry_level EQUAL 2)
            set(bullet "    - ")
        else()
            set(bullet "  * ")
        endif()
        wrap("${bullet}" "${text}" lines)
        string(APPEND body_${section} "${lines}")
    endif()
    set(entry "")
    set(entry_level 0)
endmacro()

while(NOT rest STREQUAL "")
    string(FIND "${rest}" "\n" end)
    string(SUBSTRING "${rest}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${rest}" ${next} -1 rest)
    string(REGEX REPLACE "[ \t\r]+$" "" line "${line}")

    if(line MATCHES "^## +\\[?([^] ]+)\\]?(.*)$")
        finish_entry()
        set(section ${count})
        math(EXPR count "${count} + 1")
        set(version_${section} "${CMAKE_MATCH_1}")
        set(body_${section} "")
        set(date_${section} "")
        if(CMAKE_MATCH_2 MATCHES "([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])")
            set(date_${section} "${CMAKE_MATCH_1};${CMAKE_MATCH_2};${CMAKE_MATCH_3}")
        elseif(NOT version_${section} MATCHES "^[Uu]nreleased$")
            message(FATAL_ERROR "${CHANGELOG}: version ${version_${section}} has no date")
        endif()
        set(group "")
        set(in_group OFF)
    elseif(line MATCHES "^###+ +(.*)$")
        finish_entry()
        plain("${CMAKE_MATCH_1}" group)
        set(in_group OFF)
    elseif(line MATCHES "^#")
        finish_entry()
        set(section -1)
    elseif(section LESS 0)
        continue()
    elseif(line MATCHES "^[-*+] +(.*)$")
        finish_entry()
        set(entry "${CMAKE_MATCH_1}")
        set(entry_level 1)
    elseif(line MATCHES "^  +[-*+] +(.*)$" AND entry_level GREATER 0)
        finish_entry()
        set(entry "${CMAKE_MATCH_1}")
        set(entry_level 2)
    elseif(line STREQUAL "" OR line MATCHES "^\\[[^]]+\\]: ")
        finish_entry()
    elseif(entry_level GREATER 0)
        string(APPEND entry " ${line}")
    else()
        # A paragraph of its own is written as an entry.
        set(entry "${line}")
        set(entry_level 1)
    endif()
endwhile()
finish_entry()

# The Debian changelog: the unreleased changes first where VERSION is new,
# then every released version, newest first as in CHANGELOG.md.
set(released_versions "")
set(sections "")
if(count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(section RANGE 0 ${last})
        list(APPEND sections ${section})
        if(NOT date_${section} STREQUAL "")
            list(APPEND released_versions "${version_${section}}")
        endif()
    endforeach()
endif()

set(debian "")
set(releases "")
foreach(section IN LISTS sections)
    set(version "${version_${section}}")
    set(body "${body_${section}}")
    if(date_${section} STREQUAL "")
        if(body STREQUAL "")
            continue()
        endif()
        if(VERSION IN_LIST released_versions)
            message(WARNING "${CHANGELOG}: the changes under [${version}] are left out of the "
                            "package's changelog: version ${VERSION} is released already. Raise "
                            "the project's version to release them.")
            continue()
        endif()
        set(heading "${PACKAGE} (${VERSION}) UNRELEASED; urgency=medium")
        string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    else()
        list(GET date_${section} 0 year)
        list(GET date_${section} 1 month)
        list(GET date_${section} 2 day)
        debian_date(${year} ${month} ${day} date)
        set(heading "${PACKAGE} (${version}) unstable; urgency=medium")
        if(body STREQUAL "")
            set(body "  * No changes noted.\n")
        endif()
        string(APPEND releases
               "    <release version=\"${version}\" date=\"${year}-${month}-${day}\"/>\n")
    endif()
    if(NOT debian STREQUAL "")
        string(APPEND debian "\n")
    endif()
    string(APPEND debian "${heading}\n\n${body}\n -- ${MAINTAINER}  ${date}\n")
endforeach()
if(debian STREQUAL "")
    message(FATAL_ERROR "${CHANGELOG}: no version to write into the package's changelog")
endif()

string(REGEX REPLACE "\\.gz$" "" unpacked "${DEBIAN_CHANGELOG}")
file(WRITE "${unpacked}" "${debian}")
# gzip -n leaves the name and time out, so that the same notes give the same bytes.
execute_process(COMMAND gzip -9 -n -f "${unpacked}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${unpacked} failed: ${status}")
endif()

string(STRIP "${releases}" releases)
configure_file("${METAINFO_IN}" "${METAINFO}" @ONLY)
