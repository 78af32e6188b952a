/* The floor under `tavro-admin collect`: what merely reading a folder of
   record files costs, with nothing made of the bytes. */
#ifndef TAVRO_BENCH_COLLECT_FLOOR_H
#define TAVRO_BENCH_COLLECT_FLOOR_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Lists the folder, then opens, reads (until a short read) and closes each
   "*.txt" file in it with two threads. Gives the files read and sets
   *bytes to their bytes in all; -1 when the folder cannot be listed. */
long collect_floor(const char* folder, size_t* bytes);

#ifdef __cplusplus
}
#endif

#endif
