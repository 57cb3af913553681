#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, and
# nothing when they are all there already.
set -euo pipefail

paquets=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-qpa-plugins libqt6svg6 qt6-svg-dev
    libgtest-dev googletest libgmock-dev libbenchmark-dev libnova-dev
    clang-format
    clang libclang-rt-14-dev
    xvfb xauth fonts-dejavu-core fonts-dejavu-extra
    poppler-utils
    qt6-translations-l10n
    librsvg2-bin desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl man-db
    dpkg-dev file lintian
    libgsl-dev liberfa-dev zlib1g-dev
    indi-bin
    python3 python3-ephem
)

manquants=()
for p in "${paquets[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        manquants+=("$p")
    fi
done

if [ ${#manquants[@]} -gt 0 ]; then
    echo "Installation des paquets manquants : ${manquants[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Il faut être root pour installer ces paquets." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${manquants[@]}" >/dev/null
fi
