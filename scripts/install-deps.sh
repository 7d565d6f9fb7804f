#!/usr/bin/env bash
# Installs the Debian packages listed in deps/debian-packages.txt (run as root).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t pkgs < <(grep -vE '^\s*(#|$)' "$here/deps/debian-packages.txt")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#pkgs[@]} packages present"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
