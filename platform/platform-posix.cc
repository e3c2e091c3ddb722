// POSIX host layer (being written).
