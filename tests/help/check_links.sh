#!/usr/bin/env bash
# Checks the help page: it exists, every internal link ("#name") names an element's id, no id is
# given twice, and nothing points at a file that is not shipped with it.
# Usage: check_links.sh PATH/Tallyman.html
set -euo pipefail
page=${1:?usage: check_links.sh PATH/Tallyman.html}
[ -s "$page" ] || { echo "missing or empty: $page"; exit 1; }

ids=$(grep -o ' id="[^"]*"' "$page" | sed 's/ id="\(.*\)"/\1/' | sort)
twice=$(printf '%s\n' "$ids" | uniq -d)
[ -z "$twice" ] || { echo "ids given twice: $twice"; exit 1; }

status=0
links=$(grep -o 'href="[^"]*"' "$page" | sed 's/href="\(.*\)"/\1/' | sort -u)
[ -n "$links" ] || { echo "no links at all"; exit 1; }
for link in $links; do
  case "$link" in
    \#*)
      # A here-string, not a pipe: grep -q stops reading early, and pipefail would count the
      # writer's broken pipe as a missing id.
      if ! grep -qxF -- "${link#\#}" <<<"$ids"; then
        echo "broken link: $link"
        status=1
      fi
      ;;
    mailto:* | https://*) ;;
    *)
      echo "link to a file or page not shipped with the help: $link"
      status=1
      ;;
  esac
done
[ "$status" -eq 0 ] && echo "ok: $(printf '%s\n' "$links" | wc -l) links"
exit "$status"
