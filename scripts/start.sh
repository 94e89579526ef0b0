#!/usr/bin/env bash
# Installs what is missing, builds the program (a compiler warning is an
# error) and starts it.
#
# The program runs in its own folder (build/release/src/app/), where the help
# text "ZV-Vivazozodi help.txt" is put beside it. At a first start (no data root
# "<documents folder>/Vivazozodi" yet) the data root is made and the example
# archive Voorbeeld.zip is written into it, which the program then offers to
# unpack.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVZ_WERROR=ON
cmake --build build/release --target vivazozodi vz_make_examples

APPDIR=build/release/src/app
cp "data/ZV-Vivazozodi help.txt" "$APPDIR/"

# The documents folder as the program finds it: $XDG_DOCUMENTS_DIR, else the
# user's folder settings, else ~/Documents.
DOCS=${XDG_DOCUMENTS_DIR:-}
if [ -z "$DOCS" ] && command -v xdg-user-dir >/dev/null 2>&1; then
  DOCS=$(xdg-user-dir DOCUMENTS)
  # Without a setting xdg-user-dir answers the home folder itself.
  if [ "$DOCS" = "$HOME" ]; then DOCS=""; fi
fi
DOCS=${DOCS:-$HOME/Documents}
ROOT="$DOCS/Vivazozodi"
if [ ! -d "$ROOT" ]; then
  mkdir -p "$ROOT"
  "$APPDIR/vz_make_examples" "$ROOT/Voorbeeld.zip"
fi

cd "$APPDIR"
exec ./vivazozodi "$@"
