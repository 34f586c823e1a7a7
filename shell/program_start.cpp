// program_start
