# Install script of the shared installation (system.cmake): relative links
# to the installed saver, on the PATH and among xscreensaver's programs.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
foreach(pair "bin;../libexec/corvane/Corvane" "libexec/xscreensaver;../corvane/Corvane")
    list(GET pair 0 dir)
    list(GET pair 1 target)
    if(NOT IS_DIRECTORY "${root}/${dir}")
        # Made here: readable by all, writable by the owner, whatever the umask.
        file(MAKE_DIRECTORY "${root}/${dir}")
        file(CHMOD "${root}/${dir}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
             GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
    message(STATUS "Installing: ${root}/${dir}/Corvane -> ${target}")
    file(REMOVE "${root}/${dir}/Corvane")
    file(CREATE_LINK "${target}" "${root}/${dir}/Corvane" SYMBOLIC)
endforeach()

# The compilers' notes (.comment) are of no use in an installed program.
find_program(objcopy objcopy)
if(objcopy)
    foreach(program libexec/corvane/Corvane libexec/corvane/Tellwell)
        if(EXISTS "${root}/${program}" AND NOT IS_SYMLINK "${root}/${program}")
            execute_process(COMMAND ${objcopy} --remove-section=.comment "${root}/${program}")
        endif()
    endforeach()
endif()
