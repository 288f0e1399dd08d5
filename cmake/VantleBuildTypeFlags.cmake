# The flags a new build folder starts with (CMAKE_USER_MAKE_RULES_OVERRIDE, read after the
# compiler's own defaults). The default build type keeps line tables only: addresses of a crash
# still resolve to file and line with addr2line, while full debug info of the gtest-heavy tests
# cost about a quarter of the compile time and made every static link several times larger.
set(CMAKE_C_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
