# clang-format and clang-tidy over the project's own sources; any warning fails.
set -euo pipefail
scripts/static-analysis.sh all
