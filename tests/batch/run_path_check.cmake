# SPDX-License-Identifier: GPL-3.0-or-later
# tamsor-batch's run path, as the loader reads it from the program: every entry
# relative to the program's folder ($ORIGIN), none empty (the loader takes an
# empty entry for the current folder). Then the program is started from a
# folder that holds broken files under the names of every library it needs:
# it must find its engine and the system's libraries, none of these.
#   cmake -DPROGRAM=<tamsor-batch> -DSCRATCH=<folder> -P run_path_check.cmake
file(READ_ELF "${PROGRAM}" RUNPATH runPath RPATH oldRunPath CAPTURE_ERROR readError)
if(readError)
    message(FATAL_ERROR "cannot read the run path of ${PROGRAM}: ${readError}")
endif()
if(oldRunPath)
    message(FATAL_ERROR "an RPATH, which LD_LIBRARY_PATH cannot override: ${oldRunPath}")
endif()
if(NOT runPath)
    message(FATAL_ERROR "no run path: the engine library would not be found")
endif()
foreach(entry IN LISTS runPath)
    if(NOT entry MATCHES "^\\$ORIGIN(/|$)")
        message(FATAL_ERROR "run path entry \"${entry}\" is not relative to the program's "
                            "folder (run path: ${runPath})")
    endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
foreach(library libvorbeck1.so libstdc++.so.6 libm.so.6 libgcc_s.so.1 libc.so.6)
    file(WRITE "${SCRATCH}/${library}" "not a library\n")
endforeach()
execute_process(COMMAND "${PROGRAM}" --help WORKING_DIRECTORY "${SCRATCH}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "started from a folder of broken libraries it fails: ${errors}")
endif()
