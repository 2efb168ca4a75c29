# What every Quilvex target is built with, and the resource compiler step.

# quilvex_defaults: sources include each other by their path from the top of
# the checkout ("registry/registry_access.h"); Japanese texts are UTF-8 in
# the source and code page 932 in the program (clang has no -fexec-charset:
# its fuzz builds keep UTF-8 literals). Every library links it PUBLIC, so a
# program gets it from the libraries it uses.
add_library(quilvex_defaults INTERFACE)
target_include_directories(quilvex_defaults INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(quilvex_defaults INTERFACE -Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(quilvex_defaults INTERFACE
        $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
        $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP932>)
endif()

# quilvex_small_code(TARGET): where the size of Quilvex.exe is the point:
# small code, every function in its own section so the link drops the unused.
function(quilvex_small_code target)
    target_compile_options(${target} PRIVATE -Os -ffunction-sections -fdata-sections)
endfunction()

# quilvex_resource_object(OUTPUT RC_FILE [DEPENDS...]): compiles a resource
# script with windres into an object file to list among a program's sources.
# (windres runs directly: the compile options are no windres options.)
function(quilvex_resource_object output rc_file)
    get_filename_component(rc_dir ${rc_file} DIRECTORY)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_RC_COMPILER} -I${rc_dir} -I${PROJECT_SOURCE_DIR} -i ${rc_file} -O coff -o ${output}
        DEPENDS ${rc_file} ${ARGN}
        VERBATIM)
endfunction()
