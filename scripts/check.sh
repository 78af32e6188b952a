#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test: each
# stage in scripts/check.d runs in order, and the first failure stops it all.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh check
started=$SECONDS
for stage in scripts/check.d/*.sh; do
  echo "==> ${stage##*/} ($((SECONDS - started)) s)"
  bash "$stage"
done
echo "==> all checks passed in $((SECONDS - started)) s"
