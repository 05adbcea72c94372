# Runs tavrill-text on one input file and checks its exit code and, when EXPECTED is given, that
# its output matches byte for byte. With ROUND_TRIP it runs again on its output (with BACK_VERB and
# BACK_NUMBER when given) and expects the input back.
# -DTOOL= -DEMULATOR= -DVERB= [-DNUMBER=] -DINPUT= -DOUTPUT= [-DEXPECTED=] [-DRESULT=0]
#   [-DROUND_TRIP=ON] [-DMAKE_LARGE=ON: INPUT is first written with several megabytes of text,
#   and EXPECTED with its title case]
if(MAKE_LARGE)
    string(REPEAT "procedure TForm1.Button1Click(Sender: TObject);\r\nbegin\r\n  x_2y := 'don''t';\r\nend;\r\n" 40000 text)
    file(WRITE ${INPUT} "${text}")
    if(EXPECTED)
        string(REPEAT "Procedure Tform1.Button1click(Sender: Tobject);\r\nBegin\r\n  X_2y := 'Don''T';\r\nEnd;\r\n" 40000 text)
        file(WRITE ${EXPECTED} "${text}")
    endif()
endif()
if(NOT DEFINED RESULT)
    set(RESULT 0)
endif()

function(run_tool input output verb number)
    execute_process(COMMAND ${EMULATOR} ${TOOL} ${verb} ${number}
        INPUT_FILE ${input} OUTPUT_FILE ${output} ERROR_VARIABLE err RESULT_VARIABLE rc)
    if(NOT rc STREQUAL RESULT)
        message(FATAL_ERROR "${VERB} ${NUMBER}: exit code ${rc}, expected ${RESULT}; stderr: ${err}")
    endif()
endfunction()

run_tool(${INPUT} ${OUTPUT} "${VERB}" "${NUMBER}")
if(ROUND_TRIP)
    if(NOT BACK_VERB)
        set(BACK_VERB ${VERB})
        set(BACK_NUMBER ${NUMBER})
    endif()
    run_tool(${OUTPUT} ${OUTPUT}.back "${BACK_VERB}" "${BACK_NUMBER}")
    set(OUTPUT ${OUTPUT}.back)
    set(EXPECTED ${INPUT})
endif()
if(EXPECTED)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE differ)
    if(differ)
        message(FATAL_ERROR "${VERB} ${NUMBER}: output differs from ${EXPECTED}")
    endif()
endif()
