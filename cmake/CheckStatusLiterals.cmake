# cmake -DSOURCE_DIR=<tree> -DFOLDERS=<app;base;...;tests> -DTABLES=<files> -P CheckStatusLiterals.cmake
# Fails when a status code of a library is written as a number outside the files that name it
# (TABLES, paths relative to SOURCE_DIR). Every such line is listed.
#
# The GUI and widget libraries' codes (12000 to 12010) and the file library's failures (5001 to
# 5023, but for 5008 and 5009, which it never answers) mean nothing else in the program and are refused on any line, comments included. The
# other libraries' codes are numbers other quantities use too (1000 ms, picture 1001, command
# 105), so they are refused on a line that speaks of a status: one that says status, answer or
# Failure.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT FOLDERS)
    message(FATAL_ERROR "SOURCE_DIR and FOLDERS must be given")
endif()

# A number stands alone: no digit, letter, quote (digit separator) or point joins it, but an
# integer suffix may follow and a sentence may end after it.
set(before "(^|[^0-9A-Za-z_'.])")
set(after "[uUlL]*([^0-9A-Za-z_'.]|[.]([^0-9]|$)|$)")
set(everywhere "${before}(1200[0-9]|12010|50(0[1-7]|1[0-9]|2[0-3]))${after}")
# PNG 730-740, JPEG 770-780, pixel and audio codecs 991-1002, the file library's success 5000,
# the loop library's failures 105-108 and 666.
set(shared "${before}(73[0-9]|740|77[0-9]|780|99[1-9]|100[0-2]|5000|10[5-8]|666)${after}")
set(speaksOfStatus "[Ss]tatus|STATUS|[Aa]nswer|Failure")

set(violations)
foreach(folder ${FOLDERS})
    file(GLOB_RECURSE files LIST_DIRECTORIES false "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp"
         "${SOURCE_DIR}/${folder}/*.c")
    foreach(file ${files})
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        if(shown IN_LIST TABLES)
            continue()
        endif()
        file(READ "${file}" text)
        if(NOT text MATCHES "[0-9][0-9][0-9]")
            continue()
        endif()
        # One list element per line: list separators and brackets of the source must not count.
        string(REPLACE ";" "," text "${text}")
        string(REPLACE "[" "(" text "${text}")
        string(REPLACE "]" ")" text "${text}")
        string(REPLACE "\\" "/" text "${text}")
        string(REPLACE "\n" ";" lines "${text}")
        foreach(line IN LISTS lines)
            if(line MATCHES "${everywhere}" OR (line MATCHES "${shared}" AND line MATCHES "${speaksOfStatus}"))
                string(STRIP "${line}" line)
                list(APPEND violations "${shown}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " shown)
    message(FATAL_ERROR "Status codes written as numbers:\n  ${shown}")
endif()
