# cmake -DSCRIPT=... -DTEMPLATE=... -DICON=... -DOUTPUT=... -P make_web_page.cmake
# Writes the page: the template with the icon (as a data address, so that
# the page asks for nothing) and the script (inline) put in.
cmake_minimum_required(VERSION 3.21)
file(READ ${SCRIPT} script)
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "${SCRIPT} holds </script, which would end the page's script early")
endif()
execute_process(COMMAND base64 -w 0 ${ICON} OUTPUT_VARIABLE icon RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read ${ICON} as base64")
endif()
file(READ ${TEMPLATE} page)
string(REPLACE "@ICON@" "${icon}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
