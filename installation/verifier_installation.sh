#!/usr/bin/env bash
# Installs a build folder into a temporary prefix, checks what lands there,
# validates the desktop files and runs the installed batch program on an
# installed example: verifier_installation.sh BUILD_FOLDER
set -euo pipefail
construction=$1
prefixe=$(mktemp -d)
trap 'rm -rf "$prefixe"' EXIT

echec() {
    echo "ÉCHEC : $*" >&2
    exit 1
}
for outil in desktop-file-validate appstreamcli update-mime-database man; do
    command -v "$outil" >/dev/null || echec "$outil absent (scripts/installer_dependances.sh l'installe)"
done

cmake --install "$construction" --prefix "$prefixe" >/dev/null

attendus=(
    bin/trajectel
    bin/trajectel-ephemeride
    libexec/trajectel/trajectel-ephemeride-pdf
    share/trajectel/Trajectel.html
    share/trajectel/exemples/halley.elt
    share/applications/trajectel.desktop
    share/icons/hicolor/scalable/apps/trajectel.svg
    share/mime/packages/trajectel.xml
    share/metainfo/org.trajectel.Trajectel.metainfo.xml
    share/doc/trajectel/copyright
)
if command -v rsvg-convert >/dev/null; then
    attendus+=(share/icons/hicolor/48x48/apps/trajectel.png share/icons/hicolor/256x256/apps/trajectel.png)
fi
for f in "${attendus[@]}"; do
    [ -f "$prefixe/$f" ] || echec "$f n'est pas installé"
done
for page in man/man1/trajectel.1 man/man1/trajectel-ephemeride.1 doc/trajectel/changelog; do
    ls "$prefixe/share/$page"* >/dev/null 2>&1 || echec "$page n'est pas installé"
done
manuel=$(ls "$prefixe"/share/man/man1/trajectel-ephemeride.1* | head -1)

# Hints are advice; errors and warnings are faults.
rapport=$(desktop-file-validate "$prefixe/share/applications/trajectel.desktop" 2>&1) || echec "$rapport"
if grep -E 'error|warning' <<<"$rapport"; then echec "entrée de menu"; fi
appstreamcli validate --no-net "$prefixe/share/metainfo/org.trajectel.Trajectel.metainfo.xml" >/dev/null ||
    echec "métadonnées AppStream : $(appstreamcli validate --no-net "$prefixe"/share/metainfo/*.xml 2>&1)"

# The element files get their own type: the installation rebuilt the
# database of types in the prefix.
grep -q 'application/x-trajectel-elements:\*\.elt' "$prefixe/share/mime/globs2" || echec "type MIME des .elt"
if command -v xdg-mime >/dev/null && command -v mimetype >/dev/null; then
    type=$(XDG_DATA_DIRS="$prefixe/share" xdg-mime query filetype "$prefixe/share/trajectel/exemples/halley.elt")
    [ "$type" = application/x-trajectel-elements ] || echec "xdg-mime répond $type"
fi

# The manual page renders, and describes every option the program offers.
ephemeride="$prefixe/bin/trajectel-ephemeride"
for source in "$prefixe"/share/man/man1/*; do
    avertissements=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$source" 2>&1 >/dev/null)
    [ -z "$avertissements" ] || echec "$(basename "$source") : $avertissements"
done
page=$(LC_ALL=C.UTF-8 MANWIDTH=100 man -l "$manuel" 2>&1)
for option in $("$ephemeride" --aide | grep -oE -- '--[a-z]+' | sort -u); do
    grep -q -- "$option" <<<"$page" || echec "la page de manuel ne décrit pas $option"
done

# The installed programs on an installed example, the printed page included.
halley="$prefixe/share/trajectel/exemples/halley.elt"
lignes=$("$ephemeride" "$halley" --debut 27/11/1985 --format tsv | wc -l)
[ "$lignes" -eq 32 ] || echec "$lignes lignes au lieu de 32"
"$ephemeride" "$halley" --format pdf --sortie "$prefixe/halley.pdf" 2>/dev/null
[ "$(head -c 4 "$prefixe/halley.pdf")" = "%PDF" ] || echec "page PDF"
echo "Installation vérifiée dans $prefixe"
