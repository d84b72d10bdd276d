# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program and checks its exact exit status and, where given, that its
# standard output matches a pattern:
#   cmake -DEXPECTED_EXIT=N [-DEXPECTED_STDOUT=regex] -P expect_run.cmake -- PROGRAM ARGS...
set(command)
set(afterSeparator OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 1 ${last})
    if(afterSeparator)
        list(APPEND command "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(afterSeparator ON)
    endif()
endforeach()
if(NOT command OR NOT DEFINED EXPECTED_EXIT)
    message(FATAL_ERROR "usage: cmake -DEXPECTED_EXIT=N [-DEXPECTED_STDOUT=regex] -P expect_run.cmake -- PROGRAM ARGS...")
endif()

execute_process(COMMAND ${command} RESULT_VARIABLE exit OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT exit STREQUAL EXPECTED_EXIT)
    message(FATAL_ERROR "exit status ${exit}, not ${EXPECTED_EXIT}\nstandard output:\n${out}\nstandard error:\n${err}")
endif()
if(DEFINED EXPECTED_STDOUT AND NOT out MATCHES "${EXPECTED_STDOUT}")
    message(FATAL_ERROR "standard output does not match\n${EXPECTED_STDOUT}\nbut is:\n${out}")
endif()
