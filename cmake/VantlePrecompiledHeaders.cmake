# Headers that nearly every source of a target parses, precompiled once per target: <windows.h>
# for the libraries and DLLs, and with gtest.h for the test suites, about a third of the compile
# time of a source. ccache 4.7 compiles a source that uses a precompiled header afresh every
# time, so a build through a compiler launcher is faster without.
if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(vantle_precompiled_headers_default OFF)
else()
    set(vantle_precompiled_headers_default ON)
endif()
option(VANTLE_PRECOMPILED_HEADERS "Precompile the headers common to a target's C++ sources"
       ${vantle_precompiled_headers_default})

# vantle_precompile_headers(<target> <header>...): the headers, in order, ahead of each of the
# target's C++ sources.
function(vantle_precompile_headers target)
    if(VANTLE_PRECOMPILED_HEADERS)
        foreach(header ${ARGN})
            target_precompile_headers(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
        endforeach()
    endif()
endfunction()

# vantle_precompile_windows_headers(<dir>...): <windows.h> for every library built in the folders
# from enough C++ sources to repay compiling it once more.
function(vantle_precompile_windows_headers)
    foreach(dir ${ARGN})
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(type ${target} TYPE)
            get_target_property(sources ${target} SOURCES)
            list(FILTER sources INCLUDE REGEX "\\.cpp$")
            list(LENGTH sources count)
            if((type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "SHARED_LIBRARY") AND count GREATER_EQUAL 5)
                vantle_precompile_headers(${target} <windows.h>)
            endif()
        endforeach()
    endforeach()
endfunction()
