# Every fuzz target for a bounded time after replaying its kept findings;
# any finding fails. TAVRO_FUZZ_SECONDS sets the time per target.
set -euo pipefail
scripts/fuzz.sh "${TAVRO_FUZZ_SECONDS:-60}"
