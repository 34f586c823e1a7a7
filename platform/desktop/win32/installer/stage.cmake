# What the installers pack: the program folder as the install rules lay it
# out, its programs stripped of their symbols and, when the maintainer's
# certificate is given (SIGN_CERT, SIGN_KEY: sign.cmake), signed.
#   include(stage.cmake); corvane_stage(BUILD_DIR STAGE_DIR)
include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)

function(corvane_stage build stage)
    file(REMOVE_RECURSE ${stage})
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${build} --prefix ${stage} --strip
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(rc)
        message(FATAL_ERROR "installing into ${stage} failed")
    endif()
    file(GLOB programs ${stage}/*.exe ${stage}/*.scr)
    foreach(program ${programs})
        corvane_sign(${program})
    endforeach()
endfunction()

# The folders the staged files lie in, each with the folders above it, once
# each, in OUT.
function(corvane_staged_folders files out)
    set(folders "")
    foreach(f ${files})
        get_filename_component(dir ${f} DIRECTORY)
        while(dir AND NOT dir IN_LIST folders)
            list(APPEND folders ${dir})
            get_filename_component(dir ${dir} DIRECTORY)
        endwhile()
    endforeach()
    set(${out} ${folders} PARENT_SCOPE)
endfunction()
