# The `collect --html` page of 100,000 PCs in headless Chromium, with the
# tavro-admin of 10-linux.sh.
set -euo pipefail
scripts/html-report-browser.sh build/linux-ci
