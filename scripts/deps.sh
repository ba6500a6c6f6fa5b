#!/usr/bin/env bash
# Installs the Debian packages named in scripts/packages/<list>.txt that are not
# installed yet. Usage: scripts/deps.sh [list ...]; without a list, every list.
# Costs nothing when all are there.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
missing=()
lists=("$@")
if [ ${#lists[@]} -eq 0 ]; then
  for f in "$here"/packages/*.txt; do lists+=("$(basename "$f" .txt)"); done
fi
for list in "${lists[@]}"; do
  file="$here/packages/$list.txt"
  [ -f "$file" ] || { echo "deps: no package list $file" >&2; exit 1; }
  while read -r pkg _; do
    case "$pkg" in ''|'#'*) continue ;; esac
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done < "$file"
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
