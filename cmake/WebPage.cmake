# The quiz as one HTML page: the script emscripten makes and its
# WebAssembly, written into a page of its own.

# Link options for a program that runs in a page: one script, nothing
# evaluated, no file system, no other environment. The page hands the
# program its WebAssembly from the bytes it holds (Module.instantiateWasm),
# so nothing is fetched, not even from the page's own address, which a
# strict policy would refuse.
function(zorelmina_web_script target)
    set_target_properties(${target} PROPERTIES SUFFIX .js)
    target_link_options(${target} PRIVATE
        -sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web -sFILESYSTEM=0
        # The page's JavaScript reads C++'s strings with it; newer emscripten
        # leaves out what is not asked for by name.
        "-sEXPORTED_RUNTIME_METHODS=['UTF8ToString']"
        $<$<CONFIG:Release,MinSizeRel>:-Os>)
endfunction()

# A page (output) around a script target: the page template, the icon as its
# own, the script inline, and the window as the program first shows it
# (written out by zorelmina_markup, run with Node.js as emscripten's own
# tools are).
function(zorelmina_web_page name script output)
    # Node.js alone, without the options emscripten's tools give it.
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 _node)
    set(_template ${PROJECT_SOURCE_DIR}/app/web/page.html.in)
    set(_icon ${PROJECT_SOURCE_DIR}/window/icons/zorelmina.png)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DSCRIPT=$<TARGET_FILE:${script}>
                -DWASM=$<TARGET_FILE_DIR:${script}>/$<TARGET_FILE_BASE_NAME:${script}>.wasm
                -DTEMPLATE=${_template} -DICON=${_icon}
                -DNODE=${_node} -DMARKUP=$<TARGET_FILE:zorelmina_markup>
                -DOUTPUT=${output} -P ${PROJECT_SOURCE_DIR}/cmake/make_web_page.cmake
        DEPENDS ${script} zorelmina_markup ${_template} ${_icon} ${PROJECT_SOURCE_DIR}/cmake/make_web_page.cmake
        COMMENT "Writing ${output}"
        VERBATIM)
    add_custom_target(${name} ALL DEPENDS ${output})
endfunction()
