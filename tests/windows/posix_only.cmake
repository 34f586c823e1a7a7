# Tests of Linux mechanisms, left out of the Windows build; read by
# corvane_test in tests/CMakeLists.txt. Sources (*.cpp) are not compiled;
# test names are filtered out at discovery.
set(CORVANE_POSIX_ONLY_TESTS
    # fork() and a killed writer: our own crash-safe replace of the file.
    crash_safety_test.cpp
    # Formatting of our writer: Windows rewrites the file with CRLF line
    # ends, drops blank lines and the blanks around '=', and puts no blank
    # line before a new section. The values read back are the same.
    ProfileWrite.CreatesTheFileAndTheSection
    ProfileWrite.KeepsEveryOtherLineAndTheLineEnds
    # Unix permission bits and symbolic links; our temporary file names.
    ReplaceFile.AReadOnlyFileStaysAsItIs
    ReplaceFile.StaleTemporariesOfKilledWritesGoAtTheNextWrite
    ProfileWrite.KeepsTheFilesPermissionsAndLeavesNoTemporaryFile
    ProfileWrite.WritesThroughASymbolicLink
    # Without a window provider our software GDI has no windows at all; on
    # Windows the real desktop is always there.
    Gdi.WindowDcsDrawIntoTheWindowAndReportWhatChanged
    # Wine ignores a rename that changes only the letter case, so the test
    # cannot set up its file (Dir's stored-name rule is checked by
    # test_win32_host).
    SaverTest.OnlyTheExactBackgroundNameCounts)
