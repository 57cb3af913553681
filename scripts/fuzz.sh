#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/) and runs each of them for
# SECONDES (600 by default) on a fresh copy of its seed corpus, then prints
# its executions and coverage. Fails when any target crashes, hangs (an input
# over 5 s: a page that follows the planets' pull may spend its whole work budget, which the instrumentation slows), leaks or runs out of memory; the input is kept in
# build-fuzz/artefacts/CIBLE/. With TRAJECTEL_WERROR=ON in the environment
# (as ./test.sh runs it) a warning of clang fails the build.
#
#     scripts/fuzz.sh [SECONDES] [CIBLE...]     (every target when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

secondes=${1:-600}
shift || true
dossier=build-fuzz

echo "== Construction des cibles de fuzzing (clang)"
mkdir -p "$dossier"
# Two runs started together share the build folder: one builds, the other waits.
(
    flock 9
    CC=clang CXX=clang++ cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAJECTEL_FUZZ=ON -DTRAJECTEL_WERROR="${TRAJECTEL_WERROR:-OFF}" \
        -DTRAJECTEL_TESTS=OFF -DTRAJECTEL_BENCHMARKS=OFF >"$dossier/configuration.log" 2>&1 ||
        { cat "$dossier/configuration.log"; exit 1; }
    cmake --build "$dossier" -j"$(nproc)" --target cibles_fuzz >"$dossier/construction.log" 2>&1 ||
        { grep -E 'error|Error' -A3 "$dossier/construction.log" | head -80; exit 1; }
) 9>"$dossier/.verrou"

if [ $# -gt 0 ]; then
    cibles=("$@")
else
    cibles=()
    for d in fuzz/corpus/*/; do cibles+=("$(basename "$d")"); done
fi

echo "== Fuzzing, ${secondes} s par cible"
# The temporary files of the targets stay in the build folder, also those a
# crashing run leaves behind.
export TMPDIR="$PWD/$dossier/tmp"
mkdir -p "$TMPDIR"
echec=0
for cible in "${cibles[@]}"; do
    corpus="$dossier/corpus/$cible"
    artefacts="$dossier/artefacts/$cible"
    journal="$dossier/$cible.log"
    rm -rf "$corpus"
    mkdir -p "$corpus" "$artefacts"
    cp fuzz/corpus/"$cible"/* "$corpus"/
    statut=0
    "$dossier/fuzz/$cible" -max_total_time="$secondes" -timeout=5 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artefacts/" "$corpus" >"$journal" 2>&1 || statut=$?
    # A target that fails on its seeds prints no coverage: that must not end
    # the script before it says which target failed.
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal")
    couverture=$(grep -E '^#[0-9]+.*cov: ' "$journal" | tail -1 | sed -E 's/.*cov: ([0-9]+) ft: ([0-9]+).*/\1 arêtes, \2 traits/' || true)
    echo "$cible : ${executions:-?} exécutions, couverture ${couverture:-?}, corpus $(ls "$corpus" | wc -l) entrées"
    if [ "$statut" -ne 0 ]; then
        echo "ÉCHEC de $cible (code $statut), entrée gardée dans $artefacts/ :" >&2
        grep -E 'ERROR|SUMMARY|Invariant|Test unit written' "$journal" >&2 || tail -30 "$journal" >&2
        echec=1
    fi
done
exit "$echec"
