// Settings file.
