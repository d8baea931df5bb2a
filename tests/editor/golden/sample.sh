#!/bin/sh
# back up the files
TARGET=${1:-/tmp}
for f in *.txt; do
  if [ -f "$f" ]; then
    cp "$f" "$TARGET/$f.bak" # copy
    echo 'done' $? `date` $(whoami)
  fi
done
exit 0
