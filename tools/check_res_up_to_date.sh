#!/usr/bin/env bash
# Runs a generator into a scratch folder and compares what it writes with
# the committed folder (res/, or docs/shots/ for the rendered scenes): a
# recipe or a scene changed without regenerating its files fails here.
# usage: check_res_up_to_date.sh GENERATOR DIR
set -euo pipefail
generator=$1
res=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$generator" "$scratch"
status=0
for f in "$scratch"/*; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$res/$name"; then
    echo "$res/$name is out of date: run $generator $res" >&2
    status=1
  fi
done
exit $status
