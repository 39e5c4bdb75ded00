#!/usr/bin/env bash
# Removes the files an install manifest lists, then the folders of our own (…/tolvane-echo)
# that are left empty; shared folders such as share/icons stay.
set -euo pipefail
manifest=$1
[ -f "$manifest" ] || { echo "no install recorded in $manifest" >&2; exit 1; }
xargs -r -d '\n' rm -f -- <"$manifest"
sed -n 's|/tolvane-echo/[^/]*$|/tolvane-echo|p' "$manifest" | sort -u |
  xargs -r -d '\n' rmdir --ignore-fail-on-non-empty --
rm -f "$manifest"
