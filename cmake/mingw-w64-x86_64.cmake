# Cross build for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers: their
# std::thread and std::atomic wait/notify go through winpthreads). Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# The host's /usr/include holds glibc's C headers, so it is never searched. Debian's
# header-only libraries (CLI11, asio) fit any target: they are offered through a folder
# of links to them.
set(orvik_header_only ${CMAKE_BINARY_DIR}/header-only)
foreach(entry include/CLI include/asio include/asio.hpp share/cmake/CLI11)
  if(EXISTS /usr/${entry} AND NOT EXISTS ${orvik_header_only}/${entry})
    get_filename_component(folder ${orvik_header_only}/${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK /usr/${entry} ${orvik_header_only}/${entry} SYMBOLIC)
  endif()
endforeach()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${orvik_header_only})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in: the executables run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine, at test time (discovery included), not while building.
find_program(ORVIK_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(ORVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVIK_WINE})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
