# Signs one Windows file (program, installer, package) in place with the
# maintainer's certificate, through osslsigncode: Authenticode, SHA-256, the
# product's name and address in the signature, a time stamp when a time
# stamp server is named. Run as a script (also by NSIS for the uninstaller
# it writes) or included for corvane_sign().
#   cmake -DFILE= -DOSSLSIGNCODE= -DCERT= -DKEY= [-DPASSWORD_FILE=] [-DTIMESTAMP_URL=] -P sign.cmake
cmake_policy(VERSION 3.25)

# corvane_sign(FILE): signs FILE when SIGN_CERT and SIGN_KEY are set (the
# caller's variables SIGN_CERT, SIGN_KEY, SIGN_PASSWORD_FILE,
# SIGN_TIMESTAMP_URL, OSSLSIGNCODE); nothing otherwise.
function(corvane_sign file)
    if(NOT SIGN_CERT OR NOT SIGN_KEY)
        return()
    endif()
    if(NOT OSSLSIGNCODE)
        message(FATAL_ERROR "signing ${file}: osslsigncode was not found")
    endif()
    set(options -certs ${SIGN_CERT} -key ${SIGN_KEY} -h sha256 -n "Corvane Screen Saver"
        -i http://www.vantrelsoftware.com)
    if(SIGN_PASSWORD_FILE)
        list(APPEND options -readpass ${SIGN_PASSWORD_FILE})
    endif()
    if(SIGN_TIMESTAMP_URL)
        list(APPEND options -ts ${SIGN_TIMESTAMP_URL})
    endif()
    # osslsigncode writes a new file; it replaces the unsigned one only
    # when the signing worked.
    file(REMOVE ${file}.signed)
    execute_process(COMMAND ${OSSLSIGNCODE} sign ${options} -in ${file} -out ${file}.signed
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(rc)
        file(REMOVE ${file}.signed)
        message(FATAL_ERROR "signing ${file} failed")
    endif()
    file(RENAME ${file}.signed ${file})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    set(SIGN_CERT ${CERT})
    set(SIGN_KEY ${KEY})
    set(SIGN_PASSWORD_FILE ${PASSWORD_FILE})
    set(SIGN_TIMESTAMP_URL ${TIMESTAMP_URL})
    corvane_sign(${FILE})
endif()
