# Makes the Windows installer (cmake -P, from the cross build's
# corvane_installer target): the install rules lay the program folder out in
# STAGE/files, its files become the lists that corvane.nsi installs and
# removes, and makensis packs them into OUT. With the maintainer's
# certificate (sign.cmake) the programs, the uninstaller and OUT are signed.
#   -DBUILD= -DSTAGE= -DMAKENSIS= -DSCRIPT= -DICON= -DVERSION= -DOUT=
#   [-DSIGN_CERT= -DSIGN_KEY= [-DSIGN_PASSWORD_FILE=] [-DSIGN_TIMESTAMP_URL=] -DOSSLSIGNCODE=]
cmake_policy(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
file(REMOVE_RECURSE ${STAGE})
corvane_stage(${BUILD} ${STAGE}/files)

file(GLOB_RECURSE files RELATIVE ${STAGE}/files ${STAGE}/files/*)
list(SORT files)
set(install "")
set(remove "")
set(out_path "")
foreach(f ${files})
    get_filename_component(dir ${f} DIRECTORY)
    string(REPLACE "/" "\\" wdir "\\${dir}")
    string(REPLACE "/" "\\" wfile "${f}")
    if(NOT wdir STREQUAL out_path)
        set(out_path ${wdir})
        string(REGEX REPLACE "\\\\$" "" target "$INSTDIR${wdir}")
        string(APPEND install "SetOutPath \"${target}\"\n")
    endif()
    if(f STREQUAL "corvane.ini")
        # The user's choice and run counter survive a new installation.
        string(APPEND install "SetOverwrite off\nFile \"${STAGE}/files/${f}\"\nSetOverwrite on\n")
    else()
        string(APPEND install "File \"${STAGE}/files/${f}\"\n")
    endif()
    string(APPEND remove "Delete \"$INSTDIR\\${wfile}\"\n")
endforeach()
corvane_staged_folders("${files}" folders)
# Deepest folders first; each goes only when empty.
list(SORT folders ORDER DESCENDING)
foreach(dir ${folders})
    string(REPLACE "/" "\\" wdir "${dir}")
    string(APPEND remove "RMDir \"$INSTDIR\\${wdir}\"\n")
endforeach()
string(APPEND install "SetOutPath \"$INSTDIR\"\n")
file(WRITE ${STAGE}/install_files.nsh "${install}")
file(WRITE ${STAGE}/remove_files.nsh "${remove}")

# The uninstaller is written by makensis itself: it signs it with the same
# script as it is made.
set(defines -DVERSION=${VERSION} -DSTAGE=${STAGE} -DOUTFILE=${OUT} -DICON=${ICON})
if(SIGN_CERT AND SIGN_KEY)
    set(sign_uninstaller "\"${CMAKE_COMMAND}\" -DFILE=\"%1\" -DOSSLSIGNCODE=\"${OSSLSIGNCODE}\" -DCERT=\"${SIGN_CERT}\" -DKEY=\"${SIGN_KEY}\"")
    if(SIGN_PASSWORD_FILE)
        string(APPEND sign_uninstaller " -DPASSWORD_FILE=\"${SIGN_PASSWORD_FILE}\"")
    endif()
    if(SIGN_TIMESTAMP_URL)
        string(APPEND sign_uninstaller " -DTIMESTAMP_URL=\"${SIGN_TIMESTAMP_URL}\"")
    endif()
    string(APPEND sign_uninstaller " -P \"${CMAKE_CURRENT_LIST_DIR}/sign.cmake\"")
    list(APPEND defines "-DSIGN_UNINSTALLER=${sign_uninstaller}")
endif()
execute_process(COMMAND ${MAKENSIS} -V2 ${defines} ${SCRIPT} RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "makensis failed")
endif()
corvane_sign(${OUT})
