#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
build_project
cd build
ctest --output-on-failure -j"$(nproc)"
