# Warnings are errors for our own code; third-party headers come in as SYSTEM.
add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE -Wall -Wextra -Wno-missing-field-initializers)
# GCC 12 at -O3 reports std::string concatenation as overlapping memcpy (GCC bug 105651)
# and std::optional members as maybe-uninitialized (GCC bug 80635): both false alarms.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(project_options INTERFACE -Wno-restrict -Wno-maybe-uninitialized)
endif()
if(TARNHOLLOW_WERROR)
    target_compile_options(project_options INTERFACE -Werror)
endif()
if(TARNHOLLOW_SANITIZE)
    # A target that sets TARNHOLLOW_UNCHECKED is compiled without the checks (it still links
    # with the sanitizers' run-time like everything else).
    set(checks -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_compile_options(project_options INTERFACE
        "$<$<NOT:$<BOOL:$<TARGET_PROPERTY:TARNHOLLOW_UNCHECKED>>>:${checks}>")
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()
if(TARNHOLLOW_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TARNHOLLOW_FUZZ needs clang (libFuzzer): use the fuzz preset")
    endif()
    # Coverage for libFuzzer in every library; the harnesses add the fuzzer's own main.
    target_compile_options(project_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()
target_include_directories(project_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

# The test programs' own code is assertions and fixtures: compiling it at the optimised
# build's -O3 (or instrumenting it at -O1) costs most of a cold build and finds nothing the
# code under test, built as configured, does not. -O1 keeps GCC's flow warnings for it.
if(TARNHOLLOW_SANITIZE)
    set(TARNHOLLOW_TEST_CODE_OPTIONS -O0)
else()
    set(TARNHOLLOW_TEST_CODE_OPTIONS -O1)
    # GCC 12 at -O1 reports std::string's move inside operator+ as out of bounds (its bug
    # 105329 family): a false alarm about the standard library, not about a test.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        list(APPEND TARNHOLLOW_TEST_CODE_OPTIONS -Wno-array-bounds -Wno-stringop-overflow)
    endif()
endif()
