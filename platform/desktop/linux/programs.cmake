# Included by the top CMakeLists.txt on Linux once the programs are defined:
# the render tool (the saver's frames without a display) and the install
# rules of a Linux desktop (the hack's link, xscreensaver page, menu entry).
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/render ${CMAKE_BINARY_DIR}/tools/render)
add_subdirectory(${PROJECT_SOURCE_DIR}/install ${CMAKE_BINARY_DIR}/install)
