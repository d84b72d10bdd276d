# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a program's manual page from its --help text, compressed as Debian
# keeps manual pages:
#   cmake -DPROGRAM=path -DNAME=tamsor-batch -DSUMMARY="..." -DVERSION=1.0.0
#         [-DSEE_ALSO=tamsor] -DOUTPUT=path/tamsor-batch.1.gz -P help_to_man.cmake
# The help text is read as TAMSOR's programs write it: "usage: NAME ..." with
# its continuation lines indented under it; paragraphs; option lines
# "  --option  what it does" whose text goes on in lines indented to the same
# column. Lines indented deeper than that column are examples, kept as they are.

cmake_minimum_required(VERSION 3.25)

foreach(variable PROGRAM NAME SUMMARY VERSION OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "help_to_man.cmake: ${variable} not given")
    endif()
endforeach()

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()

# Text as troff prints it: a backslash and a hyphen as typed (so that options
# can be copied), a line never taken for a request.
function(roff text result)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    if(text MATCHES "^[.']")
        string(PREPEND text "\\&")
    endif()
    set(${result} "${text}" PARENT_SCOPE)
endfunction()

string(TOUPPER "${NAME}" title)
roff("${title}" title)
roff("${NAME}" name)
roff("${SUMMARY}" summary)
set(page ".TH ${title} 1 \"\" \"TAMSOR ${VERSION}\" \"User Commands\"\n.nh\n.ad l\n")
string(APPEND page ".SH NAME\n${name} \\- ${summary}\n")

set(mode start)         # start, synopsis, text
set(item_column 0)      # column of an option's text; 0 outside an option
set(examples OFF)       # inside a no-fill block of example lines
set(new_paragraph OFF)  # a blank line was read since the last text
set(rest "${help}")
while(NOT rest STREQUAL "")
    # The next line, by position: the text holds semicolons and brackets,
    # which CMake's lists would split on.
    string(FIND "${rest}" "\n" end)
    if(end EQUAL -1)
        set(line "${rest}")
        set(rest "")
    else()
        string(SUBSTRING "${rest}" 0 ${end} line)
        math(EXPR next "${end} + 1")
        string(SUBSTRING "${rest}" ${next} -1 rest)
    endif()
    string(REGEX REPLACE "^ +" "" unindented "${line}")
    string(LENGTH "${line}" indent)
    string(LENGTH "${unindented}" unindented_length)
    math(EXPR indent "${indent} - ${unindented_length}")
    string(STRIP "${line}" stripped)

    if(mode STREQUAL "start")
        if(line MATCHES "^[Uu]sage: +[^ ]+ *(.*)$")
            roff("${CMAKE_MATCH_1}" synopsis)
            string(APPEND page ".SH SYNOPSIS\n.nf\n\\fB${name}\\fR ${synopsis}\n")
            set(mode synopsis)
        endif()
        continue()
    endif()
    if(mode STREQUAL "synopsis")
        if(indent GREATER 0 AND NOT stripped STREQUAL "")
            # Indented under "usage: NAME"; the page drops "usage: ".
            string(SUBSTRING "${line}" 7 -1 continued)
            roff("${continued}" continued)
            string(APPEND page "${continued}\n")
            continue()
        endif()
        string(APPEND page ".fi\n.SH DESCRIPTION\n")
        set(mode text)
    endif()

    if(examples AND (stripped STREQUAL "" OR NOT indent GREATER item_column))
        string(APPEND page ".fi\n")
        set(examples OFF)
    endif()
    if(stripped STREQUAL "")
        set(new_paragraph ON)
        set(item_column 0)
    elseif(indent EQUAL 2)
        # An option: its name, two or more blanks, what it does.
        if(line MATCHES "^  ([^ ]([^ ]| [^ ])*)(  +(.*))?$")
            roff("${CMAKE_MATCH_1}" option)
            roff("${CMAKE_MATCH_4}" what)
            string(LENGTH "${CMAKE_MATCH_4}" what_length)
            string(LENGTH "${line}" line_length)
            math(EXPR item_column "${line_length} - ${what_length}")
            string(APPEND page ".TP\n\\fB${option}\\fR\n")
            if(NOT what STREQUAL "")
                string(APPEND page "${what}\n")
            endif()
        endif()
        set(new_paragraph OFF)
    elseif(item_column GREATER 0 AND indent EQUAL item_column)
        roff("${stripped}" text)
        string(APPEND page "${text}\n")
    elseif(indent GREATER 0)
        if(NOT examples)
            string(APPEND page ".nf\n")
            set(examples ON)
        endif()
        # Kept as indented as they are, relative to the text they belong to.
        string(SUBSTRING "${line}" ${item_column} -1 example)
        roff("${example}" example)
        string(APPEND page "${example}\n")
    else()
        if(new_paragraph)
            string(APPEND page ".PP\n")
            set(new_paragraph OFF)
        endif()
        set(item_column 0)
        roff("${stripped}" text)
        string(APPEND page "${text}\n")
    endif()
endwhile()
if(examples)
    string(APPEND page ".fi\n")
endif()
if(mode STREQUAL "start")
    message(FATAL_ERROR "${PROGRAM} --help has no usage line")
endif()
if(DEFINED SEE_ALSO)
    roff("${SEE_ALSO}" see_also)
    string(APPEND page ".SH SEE ALSO\n\\fB${see_also}\\fR(1)\n")
endif()

string(REGEX REPLACE "\\.gz$" "" unpacked "${OUTPUT}")
file(WRITE "${unpacked}" "${page}")
# gzip -n leaves the name and time out, so that the same page gives the same bytes.
execute_process(COMMAND gzip -9 -n -f "${unpacked}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${unpacked} failed: ${status}")
endif()
