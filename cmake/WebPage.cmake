# The quiz as one HTML page: the script emscripten makes, with the
# WebAssembly inside it, written into a page of its own.

# Link options for a program that runs in a page: one script, nothing
# evaluated, no file system, no other environment.
function(zorelmina_web_script target)
    set_target_properties(${target} PROPERTIES SUFFIX .js)
    target_link_options(${target} PRIVATE
        -sSINGLE_FILE=1 -sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web -sFILESYSTEM=0
        # The page's JavaScript reads C++'s strings with it; newer emscripten
        # leaves out what is not asked for by name.
        "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString']"
        # Compiled as the page loads, from the bytes in the script: no fetch of
        # its own address, which a strict policy would refuse.
        -sWASM_ASYNC_COMPILATION=0
        $<$<CONFIG:Release,MinSizeRel>:-Os>)
endfunction()

# A page (output) around a script target: the page template, the icon as its
# own, the script inline.
function(zorelmina_web_page name script output)
    set(_template ${PROJECT_SOURCE_DIR}/app/web/page.html.in)
    set(_icon ${PROJECT_SOURCE_DIR}/window/icons/zorelmina.png)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSCRIPT=$<TARGET_FILE:${script}> -DTEMPLATE=${_template} -DICON=${_icon}
                -DOUTPUT=${output} -P ${PROJECT_SOURCE_DIR}/cmake/make_web_page.cmake
        DEPENDS ${script} ${_template} ${_icon} ${PROJECT_SOURCE_DIR}/cmake/make_web_page.cmake
        COMMENT "Writing ${output}"
        VERBATIM)
    add_custom_target(${name} ALL DEPENDS ${output})
endfunction()
