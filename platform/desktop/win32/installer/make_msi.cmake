# Makes the per-machine Windows Installer package (cmake -P, from the cross
# build's corvane_msi target): the install rules lay the program folder out
# in STAGE/files, its files become one component each in the system folder
# of corvane.wxs.in, wixl builds OUT, and a row wixl cannot write is added:
# the uninstall removes the desktop picture that a run of the saver by an
# administrator may have left beside the pictures. With the maintainer's
# certificate (sign.cmake) the programs and OUT are signed.
#   -DBUILD= -DSTAGE= -DWIXL= -DMSIBUILD= -DTEMPLATE= -DICON= -DVERSION= -DOUT=
#   [-DSIGN_CERT= -DSIGN_KEY= [-DSIGN_PASSWORD_FILE=] [-DSIGN_TIMESTAMP_URL=] -DOSSLSIGNCODE=]
cmake_policy(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/stage.cmake)
corvane_stage(${BUILD} ${STAGE}/files)

file(GLOB_RECURSE files RELATIVE ${STAGE}/files ${STAGE}/files/*)
list(SORT files)
corvane_staged_folders("${files}" folders)

# An identifier of the package's tables for a path: letters, digits and
# underscores.
function(msi_id prefix path out)
    string(MAKE_C_IDENTIFIER "${path}" id)
    set(${out} ${prefix}_${id} PARENT_SCOPE)
endfunction()

# The Directory and Component elements of folder rel ("" for the top) and
# everything below it; the components' identifiers go to the global
# property corvane_components.
function(wxs_folder rel indent out)
    set(xml "")
    foreach(f ${files})
        get_filename_component(dir "${f}" DIRECTORY)
        if(dir STREQUAL rel)
            get_filename_component(name "${f}" NAME)
            msi_id(c "${f}" component)
            msi_id(f "${f}" file)
            string(APPEND xml
                "${indent}<Component Id=\"${component}\" Guid=\"*\" Win64=\"yes\">\n"
                "${indent}  <File Id=\"${file}\" Name=\"${name}\" Source=\"files/${f}\" KeyPath=\"yes\"/>\n"
                "${indent}</Component>\n")
            set_property(GLOBAL APPEND PROPERTY corvane_components ${component})
        endif()
    endforeach()
    foreach(sub ${folders})
        get_filename_component(parent "${sub}" DIRECTORY)
        if(parent STREQUAL rel)
            get_filename_component(name "${sub}" NAME)
            msi_id(d "${sub}" id)
            wxs_folder("${sub}" "${indent}  " inner)
            string(APPEND xml "${indent}<Directory Id=\"${id}\" Name=\"${name}\">\n${inner}${indent}</Directory>\n")
        endif()
    endforeach()
    set(${out} "${xml}" PARENT_SCOPE)
endfunction()

wxs_folder("" "        " DIRECTORIES)
get_property(components GLOBAL PROPERTY corvane_components)
set(COMPONENT_REFS "")
foreach(c ${components})
    string(APPEND COMPONENT_REFS "      <ComponentRef Id=\"${c}\"/>\n")
endforeach()
# wixl takes the files' paths relative to the source's folder.
file(COPY_FILE ${ICON} ${STAGE}/corvane.ico)
set(ICON corvane.ico)
configure_file(${TEMPLATE} ${STAGE}/corvane.wxs @ONLY)

file(REMOVE ${OUT})
execute_process(COMMAND ${WIXL} -a x64 -o ${OUT} corvane.wxs WORKING_DIRECTORY ${STAGE}
                RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "wixl failed")
endif()
set(pictures vantrelsoftware/corvane)
msi_id(d ${pictures} picture_folder)
msi_id(c ${pictures}/logo.bmp picture_component)
execute_process(COMMAND ${MSIBUILD} ${OUT} -q
    "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('RemoveBackground', '${picture_component}', 'background.bmp', '${picture_folder}', 2)"
    RESULT_VARIABLE rc)
if(rc)
    message(FATAL_ERROR "adding the desktop picture's removal to ${OUT} failed")
endif()
corvane_sign(${OUT})
