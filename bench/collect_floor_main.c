/* collect_floor FOLDER: reads every record file of the folder as
   `tavro-admin collect` would, and nothing more; see collect_floor.h. */
#include <stdio.h>
#include <time.h>

#include "collect_floor.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    (void)fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  struct timespec start;
  struct timespec end;
  clock_gettime(CLOCK_MONOTONIC, &start);
  size_t bytes = 0;
  const long files = collect_floor(argv[1], &bytes);
  clock_gettime(CLOCK_MONOTONIC, &end);
  if (files < 0) {
    perror(argv[1]);
    return 2;
  }
  printf("%ld files, %zu bytes, %.1f ms\n", files, bytes,
         (double)(end.tv_sec - start.tv_sec) * 1e3 + (double)(end.tv_nsec - start.tv_nsec) / 1e6);
  return 0;
}
