# What every Quilvex target is built with, and the resource compiler step.

# quilvex_defaults: sources include each other by their path from the top of
# the checkout ("registry/registry_access.h"); Japanese texts are UTF-8 in
# the source and code page 932 in the program (clang has no -fexec-charset:
# its fuzz builds keep UTF-8 literals). Every library links it PUBLIC, so a
# program gets it from the libraries it uses.
add_library(quilvex_defaults INTERFACE)
target_include_directories(quilvex_defaults INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(quilvex_defaults INTERFACE -Wall -Wextra)
# Windows 2000 is the oldest system Quilvex runs on: built for it, the
# headers refuse any newer function, message or structure layout.
if(WIN32)
    target_compile_definitions(quilvex_defaults INTERFACE WINVER=0x0500 _WIN32_WINNT=0x0500 _WIN32_IE=0x0500)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(quilvex_defaults INTERFACE
        $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8>
        $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP932>)
endif()

# quilvex_small_code(TARGET): the program's own code, where the size of
# Quilvex.exe and a reproducible build are the point. No exceptions or RTTI
# (app/lean_runtime.cpp stands in for the runtime's throwing pieces), no
# unwind tables, so every unused function can be dropped, each in its own
# section; msvcrt's printf family rather than MinGW's own (g++'s headers
# switch MinGW's on before stdio.h is read, so stdio.h is read first); no
# build paths in the file. The Wine test programs link the same libraries
# and keep exceptions in their own code.
function(quilvex_small_code target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
        -fno-asynchronous-unwind-tables
        -Os -ffunction-sections -fdata-sections
        -include stdio.h
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
        -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
    target_compile_definitions(${target} PRIVATE __USE_MINGW_ANSI_STDIO=0)
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
