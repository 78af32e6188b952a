# The Linux program and every Linux test (the fuzz replays included) built
# with AddressSanitizer and UndefinedBehaviorSanitizer, and run under them.
set -euo pipefail
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j "$(nproc)"
