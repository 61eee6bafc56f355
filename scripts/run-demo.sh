#!/usr/bin/env bash
# Sets everything up, builds Brackmoor, prepares the demo collection in build/demo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target brackmoor make_adf write_settings
scripts/make-demo.sh build/dev build/demo
exec build/demo/brackmoor
