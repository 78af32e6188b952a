# The Linux build with fatal warnings, and every Linux test.
set -euo pipefail
cmake --preset linux-ci >/dev/null
cmake --build --preset linux-ci
ctest --preset linux-ci -j "$(nproc)"
