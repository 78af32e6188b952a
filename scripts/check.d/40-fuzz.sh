# Every fuzz target for a bounded time after replaying its kept findings;
# any finding fails. TAVRO_FUZZ_SECONDS sets the time per target. The three
# targets run side by side: a minute each in one minute of the check.
set -euo pipefail
TAVRO_FUZZ_JOBS=${TAVRO_FUZZ_JOBS:-3} scripts/fuzz.sh "${TAVRO_FUZZ_SECONDS:-60}"
