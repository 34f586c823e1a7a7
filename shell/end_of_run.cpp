// end_of_run
