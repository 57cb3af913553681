#!/usr/bin/env bash
# Configures and builds one build folder: construire.sh DOSSIER [cmake options...]
set -euo pipefail
dossier=$1
shift
cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dossier.log" 2>&1 || { cat "$dossier.log"; exit 1; }
cmake --build "$dossier" -j"$(nproc)" >>"$dossier.log" 2>&1 || { grep -E 'error|Error' -A3 "$dossier.log" | head -80; exit 1; }
