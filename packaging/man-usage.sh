#!/bin/bash
# help2man's view of a program: runs "<program> <arguments>" and joins the lines of the
# usage at the top of its --help into one line per form ("Usage: ..." and "  or:  ..."),
# as help2man reads a synopsis, and a line of prose continued by a line indented deeper
# than the options (three blanks or more) into one; everything else passes unchanged.
#   man-usage.sh <program> --help | --version
set -o pipefail
"$1" "${@:2}" | awk '
    NR == 1 && /^Usage: / { usage = $0; inUsage = 1; next }
    inUsage && /^[ \t]+\[/ { sub(/^[ \t]+/, " "); usage = usage $0; next }
    inUsage && /^[ \t]+[^ \t[-]/ { print usage; sub(/^[ \t]+/, ""); usage = "  or:  " $0; next }
    inUsage { print usage; inUsage = 0 }
    prose != "" && /^   +[^ ]/ { sub(/^ +/, " "); prose = prose $0; next }
    prose != "" { print prose; prose = "" }
    /^[^ \t]/ { prose = $0; next }
    { print }
    END { if (inUsage) print usage; if (prose != "") print prose }
'
