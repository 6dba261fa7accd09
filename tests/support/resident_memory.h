// The process's resident memory, as the soak run and the start-up bench
// report it.
#pragma once

#include <unistd.h>

#include <cstdio>

// Resident set size in KiB, from /proc/self/statm; 0 when it cannot be read.
inline long ResidentKiB() {
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
