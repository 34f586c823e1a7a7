corvane_fuzz(fuzz_ini ${CMAKE_CURRENT_SOURCE_DIR}/ini_reader.cpp corvane_system)
