# Quilvex.exe as it is released: small and reproducible.
#
# Small: the program and the libraries linked into it are built without
# exceptions or RTTI, with msvcrt's printf family rather than MinGW's own,
# and app/lean_runtime.cpp stands in for the runtime's throwing pieces.
# The Wine test programs link the same libraries and keep exceptions in
# their own code.
#
# Reproducible: no link time stamp in the file and no build paths in it, so
# every build of one commit gives the same bytes.

# quilvex_linked_targets(TARGET OUT): TARGET and every library target it
# links, directly or through others.
function(quilvex_linked_targets target out)
    set(found ${${out}} ${target})
    get_target_property(links ${target} LINK_LIBRARIES)
    foreach(link ${links})
        if(TARGET ${link} AND NOT link IN_LIST found)
            quilvex_linked_targets(${link} found)
        endif()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

quilvex_linked_targets(Quilvex quilvex_product_targets)
foreach(target ${quilvex_product_targets})
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
        # Without unwind tables every unused function can be dropped.
        -fno-asynchronous-unwind-tables
        -Os -ffunction-sections -fdata-sections
        # g++'s own headers switch MinGW's printf family on before stdio.h is
        # read; reading stdio.h first keeps msvcrt's.
        -include stdio.h
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
        -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
    target_compile_definitions(${target} PRIVATE __USE_MINGW_ANSI_STDIO=0)
endforeach()

target_sources(Quilvex PRIVATE ${PROJECT_SOURCE_DIR}/app/lean_runtime.cpp)
target_link_options(Quilvex PRIVATE -Wl,--no-insert-timestamp)
