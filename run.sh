#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on an example comet.
set -euo pipefail
cd "$(dirname "$0")"

scripts/installer_dependances.sh
mkdir -p build
scripts/construire.sh build

exemple=examples/halley.elt
if [ -x build/app/trajectel ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/app/trajectel "$exemple"
fi
if [ -x build/batch/trajectel-ephemeride ]; then
    echo "Pas d'affichage graphique : voici l'éphéméride de $exemple."
    exec build/batch/trajectel-ephemeride "$exemple"
fi
echo "Construction terminée. Programmes produits :"
find build -maxdepth 3 -type f -executable -not -name '*.so*' -not -path '*/CMakeFiles/*' | sort
