# A shared installation (component "system", left out of a plain install):
#   cmake --install build --component system --prefix /usr/local
# and the Debian package (package.cmake, prefix /usr). Everything belongs to
# whoever installs and stays as installed: the programs in
# PREFIX/libexec/corvane, the pictures and the default corvane.ini in
# PREFIX/share/corvane. Each user's program folder is made at first use
# (platform/system/posix/user_folder.h).
set(system COMPONENT system EXCLUDE_FROM_ALL)
install(TARGETS Corvane Tellwell DESTINATION libexec/corvane ${system})
install(FILES ${PROJECT_SOURCE_DIR}/assets/corvane.ini DESTINATION share/corvane ${system})
install(FILES ${CORVANE_FOLDER_PICTURES} DESTINATION share/corvane/vantrelsoftware/corvane ${system})
install(FILES corvane.xml DESTINATION share/xscreensaver/config ${system})
# One step into a user's xscreensaver list.
install(PROGRAMS corvane-xscreensaver.sh DESTINATION bin RENAME corvane-xscreensaver ${system})

# The menu entry finds the program on the PATH.
set(CORVANE_PROGRAM Corvane)
configure_file(corvane-settings.desktop.in system/corvane-settings.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/corvane-settings.desktop
        DESTINATION share/applications ${system})
# What software centres list (GNOME Software, KDE Discover).
install(FILES corvane.metainfo.xml DESTINATION share/metainfo
        RENAME com.vantrelsoftware.Corvane.metainfo.xml ${system})
# The icon, in every size of the icon theme.
file(GLOB icon_sizes LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/assets/icons/*)
foreach(dir ${icon_sizes})
    get_filename_component(size ${dir} NAME)
    install(FILES ${dir}/corvane.png DESTINATION share/icons/hicolor/${size}/apps ${system})
endforeach()
# Where MATE's and XFCE's screen-saver settings list savers.
configure_file(corvane-screensaver.desktop.in system/corvane.desktop @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/corvane.desktop
        DESTINATION share/applications/screensavers ${system})

# The manual page and the changelog, compressed as Debian ships them (no
# time stamp in the gzip header, so a rebuild gives the same bytes).
set(compressed "")
foreach(pair "Corvane.6;Corvane.6.gz" "corvane-xscreensaver.1;corvane-xscreensaver.1.gz"
        "changelog;changelog.gz")
    list(GET pair 0 from)
    list(GET pair 1 to)
    set(in ${CMAKE_CURRENT_SOURCE_DIR}/deb/${from})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/system/${to})
    add_custom_command(OUTPUT ${out} COMMAND sh -c "gzip -9nc '${in}' >'${out}'" DEPENDS ${in}
                       VERBATIM)
    list(APPEND compressed ${out})
endforeach()
add_custom_target(corvane_system_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/Corvane.6.gz DESTINATION share/man/man6 ${system})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/system/corvane-xscreensaver.1.gz
        DESTINATION share/man/man1 ${system})
install(FILES deb/copyright ${CMAKE_CURRENT_BINARY_DIR}/system/changelog.gz
        DESTINATION share/doc/corvane ${system})

# The saver on the PATH and where xscreensaver looks for display programs.
install(SCRIPT system_links.cmake ${system})
