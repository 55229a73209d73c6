# cmake -DPROGRAM=<file> -P check_no_toolkit.cmake
# Fails if the program needs a toolkit's library at run time.
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${PROGRAM}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved)
foreach(library IN LISTS resolved unresolved)
    get_filename_component(name ${library} NAME)
    if(name MATCHES "^(libQt|libxcb|libX11|libgtk|libwayland)")
        message(FATAL_ERROR "${PROGRAM} links a toolkit: ${name}")
    endif()
endforeach()
message(STATUS "no toolkit among: ${resolved}")
