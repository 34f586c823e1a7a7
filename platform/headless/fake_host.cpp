// Fake host.
