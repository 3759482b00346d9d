#!/usr/bin/env bash
# The main job: kvhost with the plug-in, listing its commands (the sample extraction
# replaces this once drawings and the wizard are in).
set -euo pipefail
BUILD=${1:-build}
printf 'COMMANDS\nQUIT\n' | "$BUILD/bin/kvhost" --module "$BUILD/lib/dataextraction.so"
