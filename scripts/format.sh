#!/usr/bin/env bash
# Formats the C++ sources with the project's clang-format (Debian 12's clang-format 14).
# Usage: scripts/format.sh            format the files changed against main (and new ones)
#        scripts/format.sh --all      format every tracked source
#        scripts/format.sh --check    list unformatted tracked sources; fails if there are any
set -euo pipefail
cd "$(dirname "$0")/.."
fmt=${CLANG_FORMAT:-clang-format}
if ! "$fmt" --version 2>/dev/null | grep -q 'version 14\.'; then
  echo "scripts/format.sh: needs clang-format 14 (Debian 12's clang-format package); found: $("$fmt" --version 2>/dev/null || echo none)" >&2
  exit 1
fi
sources() {
  git ls-files -- '*.cpp' '*.h' 2>/dev/null ||
    find src tests bench fuzz -name '*.cpp' -o -name '*.h'
}
case "${1:-}" in
  --check)
    bad=$(sources | xargs -r -n 40 -P "$(nproc)" "$fmt" --dry-run 2>&1 |
          sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*clang-format-violations.*/\1/p' | sort -u)
    if [ -n "$bad" ]; then
      echo "These files are not formatted (run scripts/format.sh --all or clang-format -i FILE):" >&2
      printf '  %s\n' $bad >&2
      exit 1
    fi
    ;;
  --all)
    sources | xargs -r "$fmt" -i
    ;;
  "")
    base=$(git merge-base HEAD main 2>/dev/null || git rev-parse HEAD)
    { git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h'
      git ls-files --others --exclude-standard -- '*.cpp' '*.h'; } | sort -u | xargs -r "$fmt" -i
    ;;
  *)
    echo "usage: scripts/format.sh [--all|--check]" >&2
    exit 2
    ;;
esac
