# cmake -DCASE=<name> -P LinkRuleCases.cmake: one broken link graph for the link rules to refuse.
cmake_minimum_required(VERSION 3.25)
# A graph that keeps the rules prints "rules kept", which no case's test accepts.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/VantleLayers.cmake)

set(VANTLE_LINKS_base "")
set(VANTLE_LINKS_media base codec)
set(VANTLE_LINKS_codec base shared)
set(VANTLE_LINKS_shared base)
set(VANTLE_LINKS_tool media helper)
set(VANTLE_LINKS_helper base)
if(CASE STREQUAL "Cycle")
    set(VANTLE_LINKS_helper base tool)
elseif(CASE STREQUAL "UpwardLink")
    set(VANTLE_LINKS_base media)
elseif(CASE STREQUAL "DllLinksLayer")
    set(VANTLE_LINKS_codec base media)
endif()
vantle_check_link_rules(LAYERS base media DLL_TARGETS codec shared DLL_SHARED codec
                        TARGETS base media codec shared tool helper)
message(STATUS "rules kept")
