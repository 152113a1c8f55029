# Third-party libraries, found once. Only platform/ (and the tools that make data)
# may link the multimedia ones.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(EPOXY REQUIRED IMPORTED_TARGET epoxy)
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
# libimgui.a holds the SDL, OpenGL and FreeType parts but not what they call.
target_link_libraries(PkgConfig::IMGUI INTERFACE PkgConfig::FREETYPE PkgConfig::SDL2 PkgConfig::EPOXY)
find_package(benchmark QUIET)

# tarnhollow_library(NAME folder DEPS ...): one static library per source folder,
# built from every .cpp in it.
function(tarnhollow_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_link_libraries(${name} PUBLIC project_options ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_link_libraries(${name} INTERFACE project_options ${ARG_DEPS})
    endif()
endfunction()

# tarnhollow_tests(NAME folder DEPS ...): one test program per test folder.
function(tarnhollow_tests name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/test_environment.cpp)
    target_compile_definitions(${name} PRIVATE TARNHOLLOW_GAME_DIR="${GAME_DIR}")
    target_link_libraries(${name} PRIVATE project_options ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE ${TARNHOLLOW_TEST_CODE_OPTIONS})
    # Every test file starts by parsing GoogleTest, a third of its compile time at -O1: each
    # test program parses it once. (One header shared by all would not do: the programs that
    # link SDL are compiled with a macro of its own.)
    target_precompile_headers(${name} PRIVATE <gtest/gtest.h> <string> <vector>)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60)
endfunction()
