// settings_file
