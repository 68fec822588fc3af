#include "tools/runner/residentMemory.h"

#include <cstdio>
#include <unistd.h>

long residentMemoryKb() {
    FILE* f = fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    long pages = 0;
    long resident = -1;
    if (fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = -1;
    fclose(f);
    if (resident < 0)
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
