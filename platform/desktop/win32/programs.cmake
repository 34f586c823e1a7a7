# Included by the top CMakeLists.txt on Windows once the programs are
# defined: GUI programs, the saver named Corvane.scr, and their resources.
set(corvane_version ${PROJECT_VERSION}.0)
string(REPLACE "." "," corvane_version_commas ${corvane_version})

# corvane_program_resources(TARGET FILE DESCRIPTION ICON)
function(corvane_program_resources target file description icon)
    set(RC_PROGRAM ${target})
    set(RC_FILE ${file})
    set(RC_DESCRIPTION ${description})
    set(RC_ICON ${CMAKE_CURRENT_LIST_DIR}/res/${icon})
    set(RC_MANIFEST ${CMAKE_BINARY_DIR}/resources/${target}.manifest)
    set(RC_VERSION ${corvane_version})
    set(RC_VERSION_COMMAS ${corvane_version_commas})
    set(rc ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    # Each program names itself in its manifest.
    configure_file(${CMAKE_CURRENT_LIST_DIR}/res/program.manifest.in ${RC_MANIFEST} @ONLY)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/res/program.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
        "${RC_ICON};${RC_MANIFEST}")
    # GUI subsystem, version 5.2 (the first 64-bit Windows): 4.0 or later
    # lets the Display control panel offer a screen saver's preview.
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    target_link_options(${target} PRIVATE
        -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,2)
endfunction()

set_target_properties(Corvane PROPERTIES SUFFIX ".scr")
corvane_program_resources(Corvane Corvane.scr "Corvane Screen Saver" corvane.ico)
corvane_program_resources(Tellwell Tellwell.exe "Tellwell" tellwell.ico)

# Signing of what the installers carry, the installers and the package with
# the maintainer's certificate: off unless a certificate and its key are
# named (here or in the environment variables of the same names when the
# build is configured).
set(CORVANE_SIGN_CERT "$ENV{CORVANE_SIGN_CERT}" CACHE FILEPATH
    "The code-signing certificate (PEM or DER) for the installers and what they carry; empty: none")
set(CORVANE_SIGN_KEY "$ENV{CORVANE_SIGN_KEY}" CACHE FILEPATH "The certificate's private key")
set(CORVANE_SIGN_PASSWORD_FILE "$ENV{CORVANE_SIGN_PASSWORD_FILE}" CACHE FILEPATH
    "A file holding the key's password, if it has one")
set(CORVANE_SIGN_TIMESTAMP_URL "$ENV{CORVANE_SIGN_TIMESTAMP_URL}" CACHE STRING
    "An RFC 3161 time stamp server for the signatures, if any")
set(corvane_signing "")
if(CORVANE_SIGN_CERT AND CORVANE_SIGN_KEY)
    find_program(CORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
    set(corvane_signing -DSIGN_CERT=${CORVANE_SIGN_CERT} -DSIGN_KEY=${CORVANE_SIGN_KEY}
        -DSIGN_PASSWORD_FILE=${CORVANE_SIGN_PASSWORD_FILE}
        -DSIGN_TIMESTAMP_URL=${CORVANE_SIGN_TIMESTAMP_URL} -DOSSLSIGNCODE=${CORVANE_OSSLSIGNCODE})
endif()
# The installers are made again when the signing settings change.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/signing.txt CONTENT "${corvane_signing}\n")

# The installer, Corvane-VERSION-setup.exe (when NSIS's makensis is there):
# what the install rules lay down, packed for a per-user installation.
find_program(CORVANE_MAKENSIS makensis)
if(CORVANE_MAKENSIS)
    set(installer_dir ${CMAKE_CURRENT_LIST_DIR}/installer)
    set(setup ${CMAKE_BINARY_DIR}/Corvane-${PROJECT_VERSION}-setup.exe)
    add_custom_command(OUTPUT ${setup}
        COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSTAGE=${CMAKE_BINARY_DIR}/installer
                -DMAKENSIS=${CORVANE_MAKENSIS} -DSCRIPT=${installer_dir}/corvane.nsi
                -DICON=${CMAKE_CURRENT_LIST_DIR}/res/corvane.ico
                -DVERSION=${PROJECT_VERSION} -DOUT=${setup} ${corvane_signing}
                -P ${installer_dir}/make_installer.cmake
        DEPENDS Corvane Tellwell corvane_picture_folder ${installer_dir}/corvane.nsi
                ${installer_dir}/make_installer.cmake ${installer_dir}/stage.cmake
                ${installer_dir}/sign.cmake ${CMAKE_BINARY_DIR}/signing.txt
                ${CMAKE_CURRENT_LIST_DIR}/res/corvane.ico
                ${PROJECT_SOURCE_DIR}/assets/corvane.ini ${CORVANE_FOLDER_PICTURES}
        VERBATIM)
    add_custom_target(corvane_installer DEPENDS ${setup})
endif()

# The Windows Installer package, Corvane-VERSION.msi (when msitools' wixl is
# there): the same files for every user of the machine, in the system
# folder.
find_program(CORVANE_WIXL wixl)
find_program(CORVANE_MSIBUILD msibuild)
if(CORVANE_WIXL AND CORVANE_MSIBUILD)
    set(installer_dir ${CMAKE_CURRENT_LIST_DIR}/installer)
    set(msi ${CMAKE_BINARY_DIR}/Corvane-${PROJECT_VERSION}.msi)
    add_custom_command(OUTPUT ${msi}
        COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSTAGE=${CMAKE_BINARY_DIR}/msi
                -DWIXL=${CORVANE_WIXL} -DMSIBUILD=${CORVANE_MSIBUILD}
                -DTEMPLATE=${installer_dir}/corvane.wxs.in -DICON=${CMAKE_CURRENT_LIST_DIR}/res/corvane.ico
                -DVERSION=${PROJECT_VERSION} -DOUT=${msi} ${corvane_signing}
                -P ${installer_dir}/make_msi.cmake
        DEPENDS Corvane Tellwell corvane_picture_folder ${installer_dir}/corvane.wxs.in
                ${installer_dir}/make_msi.cmake ${installer_dir}/stage.cmake
                ${installer_dir}/sign.cmake ${CMAKE_BINARY_DIR}/signing.txt
                ${PROJECT_SOURCE_DIR}/assets/corvane.ini ${CORVANE_FOLDER_PICTURES}
        VERBATIM)
    add_custom_target(corvane_msi DEPENDS ${msi})
endif()
