#!/usr/bin/env bash
# Makes the Debian package of a build folder in a temporary folder and has
# lintian check it: no error and no warning. verifier_paquet.sh BUILD_FOLDER
set -euo pipefail
construction=$1
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

command -v lintian >/dev/null || { echo "lintian absent (scripts/installer_dependances.sh l'installe)" >&2; exit 1; }
cpack -G DEB --config "$construction/CPackConfig.cmake" -B "$dossier" >/dev/null
paquet=$(ls "$dossier"/trajectel_*.deb)
lintian --fail-on error,warning "$paquet" 2>/dev/null
echo "lintian : rien à signaler sur $(basename "$paquet")"
