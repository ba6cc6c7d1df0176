#!/usr/bin/env bash
# Regenerates every picture into a scratch folder and compares it with the
# committed res/: a drawing changed without regenerating res/ fails here.
# usage: check_res_up_to_date.sh ARTGEN RES_DIR
set -euo pipefail
artgen=$1
res=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$artgen" "$scratch"
status=0
for f in "$scratch"/*; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$res/$name"; then
    echo "res/$name is out of date: run $artgen res" >&2
    status=1
  fi
done
exit $status
