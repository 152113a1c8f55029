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
    target_compile_options(project_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                     -fno-sanitize-recover=undefined)
    target_link_options(project_options INTERFACE -fsanitize=address,undefined)
endif()
target_include_directories(project_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
