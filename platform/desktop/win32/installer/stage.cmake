# What the installers pack: the program folder as the install rules lay it
# out, its programs stripped of their symbols.
#   include(stage.cmake); corvane_stage(BUILD_DIR STAGE_DIR)
function(corvane_stage build stage)
    file(REMOVE_RECURSE ${stage})
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${build} --prefix ${stage} --strip
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(rc)
        message(FATAL_ERROR "installing into ${stage} failed")
    endif()
endfunction()
