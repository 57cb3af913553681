#!/usr/bin/env bash
# Installs what is missing, builds, runs every test, then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for a short while so that none of them rots.
set -euo pipefail
cd "$(dirname "$0")"

scripts/installer_dependances.sh

echo "== Mise en forme du code"
fichiers=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find astro plateforme form page document app batch tests -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $fichiers

export QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8

echo "== Construction"
mkdir -p build
scripts/construire.sh build -DTRAJECTEL_WERROR=ON
echo "== Tests"
ctest --test-dir build --output-on-failure -j"$(nproc)"

echo "== Construction avec les sanitiseurs"
scripts/construire.sh build-asan -DTRAJECTEL_WERROR=ON -DTRAJECTEL_SANITISEURS=ON -DTRAJECTEL_BENCHMARKS=OFF
echo "== Tests sous AddressSanitizer et UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

echo "== Fuzzing court de chaque cible"
TRAJECTEL_WERROR=ON scripts/fuzz.sh 20
