# Desktop integration, run at install time (so that --prefix counts): the
# xscreensaver configuration, the hack on the command path and the settings
# entry. A program folder called .../share/corvane (the default,
# ~/.local/share/corvane) puts them beside it in .../bin and .../share; any
# other folder keeps them inside it. (A shared installation for every user
# is the "system" component: system.cmake.)
cmake_policy(VERSION 3.25)
cmake_path(GET CMAKE_INSTALL_PREFIX FILENAME leaf)
cmake_path(GET CMAKE_INSTALL_PREFIX PARENT_PATH parent)
cmake_path(GET parent FILENAME parent_leaf)
if(leaf STREQUAL "corvane" AND parent_leaf STREQUAL "share")
    cmake_path(GET parent PARENT_PATH base)
else()
    set(base ${CMAKE_INSTALL_PREFIX})
endif()
set(root "$ENV{DESTDIR}")
set(hack_dir ${root}${base}/bin)
set(config_dir ${root}${base}/share/xscreensaver/config)
set(apps_dir ${root}${base}/share/applications)
set(CORVANE_PROGRAM ${CMAKE_INSTALL_PREFIX}/Corvane)

file(MAKE_DIRECTORY ${hack_dir} ${config_dir} ${apps_dir})
message(STATUS "Installing: ${hack_dir}/Corvane -> ${CORVANE_PROGRAM}")
file(REMOVE ${hack_dir}/Corvane)
file(CREATE_LINK ${CORVANE_PROGRAM} ${hack_dir}/Corvane SYMBOLIC)
message(STATUS "Installing: ${hack_dir}/corvane-xscreensaver")
file(COPY_FILE ${CORVANE_INSTALL_SOURCE}/corvane-xscreensaver.sh ${hack_dir}/corvane-xscreensaver)
file(CHMOD ${hack_dir}/corvane-xscreensaver PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GLOB icon_sizes LIST_DIRECTORIES true ${CORVANE_ICONS}/*)
foreach(dir ${icon_sizes})
    get_filename_component(size ${dir} NAME)
    set(icon_dir ${root}${base}/share/icons/hicolor/${size}/apps)
    message(STATUS "Installing: ${icon_dir}/corvane.png")
    file(MAKE_DIRECTORY ${icon_dir})
    file(COPY_FILE ${dir}/corvane.png ${icon_dir}/corvane.png)
endforeach()
message(STATUS "Installing: ${config_dir}/corvane.xml")
file(COPY_FILE ${CORVANE_INSTALL_SOURCE}/corvane.xml ${config_dir}/corvane.xml)
message(STATUS "Installing: ${apps_dir}/corvane-settings.desktop")
configure_file(${CORVANE_INSTALL_SOURCE}/corvane-settings.desktop.in
               ${apps_dir}/corvane-settings.desktop @ONLY)
message(STATUS "Installing: ${apps_dir}/screensavers/corvane.desktop")
configure_file(${CORVANE_INSTALL_SOURCE}/corvane-screensaver.desktop.in
               ${apps_dir}/screensavers/corvane.desktop @ONLY)
