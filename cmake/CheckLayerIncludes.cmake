# cmake -DSOURCE_DIR=<tree> -DLAYERS=<base;media;...> -P CheckLayerIncludes.cmake
# Fails when a source file of a layer includes a header of a higher layer, or a file under dlls/
# includes any of the program's layers but base (our DLLs link base and their own code only).
# Every such include is listed.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR OR NOT LAYERS)
    message(FATAL_ERROR "SOURCE_DIR and LAYERS must be given")
endif()

set(violations)
set(allowed)
foreach(folder ${LAYERS} dlls)
    if(folder STREQUAL "dlls")
        set(allowed base)
    endif()
    file(GLOB_RECURSE files LIST_DIRECTORIES false "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp"
         "${SOURCE_DIR}/${folder}/*.c" "${SOURCE_DIR}/${folder}/*.rc")
    foreach(file ${files})
        file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*$" "\\1" top "${line}")
            if(top IN_LIST LAYERS AND NOT top IN_LIST allowed AND NOT top STREQUAL folder)
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
                list(APPEND violations "${shown}: ${line}")
            endif()
        endforeach()
    endforeach()
    # A layer may include itself and the layers below it.
    if(NOT folder STREQUAL "dlls")
        list(APPEND allowed ${folder})
    endif()
endforeach()

if(violations)
    list(JOIN violations "\n  " shown)
    message(FATAL_ERROR "Includes of a higher layer:\n  ${shown}")
endif()
