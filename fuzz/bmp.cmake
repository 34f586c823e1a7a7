# .bmp reading over arbitrary bytes: from memory and through a file. The
# software GDI and the header check are compiled into the target, so that
# they are instrumented too.
find_package(SDL2 REQUIRED)
file(GLOB fuzz_softgdi_src CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/softgdi/*.cpp)
corvane_fuzz(fuzz_bmp ${CMAKE_CURRENT_LIST_DIR}/bmp_fuzz.cpp corvane_platform_api corvane_system
    SDL2::SDL2)
target_sources(fuzz_bmp PRIVATE ${fuzz_softgdi_src} ${PROJECT_SOURCE_DIR}/platform/bmp_header.cpp)
