// Bytes this process has read so far, from /proc/self/io ("rchar": every read call, cached or
// not). Returns -1 when the file cannot be read.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

inline long long ProcessReadBytes(const char* procIoPath) {
    std::FILE* file = std::fopen(procIoPath, "r");
    if (!file) {
        return -1;
    }
    long long value = -1;
    char line[128];
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, "rchar:", 6) == 0) {
            value = std::atoll(line + 6);
            break;
        }
    }
    std::fclose(file);
    return value;
}
