#!/usr/bin/env bash
# Checks the built manual: it has at least one page per chapter, each chapter's
# title is in its text, and so is the title of every tool the plug-in registers.
# Usage: check_pdf.sh MANUAL.pdf CHAPTER_DIR TOOL_LIST_HEADER
set -euo pipefail
pdf=$1 chapters=$2 tools=$3
fail=0
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
count=$(ls "$chapters"/[0-9][0-9]-*.md | wc -l)
if [ "$pages" -lt $((count + 1)) ]; then
  echo "the manual has $pages pages for $count chapters and a cover"; fail=1
fi
# Blanks and line breaks vary with the layout, so the text is compared on one line.
text=$(pdftotext -enc UTF-8 "$pdf" - | tr -s ' \n\f' '  ')
for md in "$chapters"/[0-9][0-9]-*.md; do
  title=$(sed -n 's/^# //p' "$md" | head -1)
  grep -qF -- "$title" <<<"$text" || { echo "chapter title missing: $title"; fail=1; }
done
titles=$(grep -o 'X([A-Za-z0-9]*, "[^"]*"' "$tools" | sed 's/.*, "\(.*\)"/\1/')
[ -n "$titles" ] || { echo "no tool titles found in $tools"; exit 1; }
while IFS= read -r title; do
  grep -qF -- "$title" <<<"$text" || { echo "tool title missing: $title"; fail=1; }
done <<<"$titles"
exit $fail
