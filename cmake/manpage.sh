#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes one gzipped manual page with help2man from a program's --help and
# --version:
#   manpage.sh HELP2MAN PROGRAM VERSION WHATIS OUTPUT.1.gz [SEE-ALSO-PAGE...]
# A program without --version yet gets VERSION. A program with subcommands
# (a "Subcommands:" list in its --help) also gets a COMMANDS section made from
# each subcommand's --help, so the page tells every option.
set -eu
help2man=$1 program=$2 version=$3 whatis=$4 output=$5
shift 5
name=$(basename "$program")
page=${output%.gz}
include=$page.h2m
trap 'rm -f "$include"' EXIT
: >"$include"

# A subcommand's help text to roff: the usage line as a subsection heading,
# each option or positional as a tagged paragraph, other lines as they are.
# Option lines are read as the command-line library lays them out.
# Minus signs and backslashes escaped, a leading control character protected.
to_roff() {
    awk -v name="$name" '
    function esc(s) { gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s); sub(/^[.\047]/, "\\\\\\&&", s); return s }
    function entry(term, desc) { print ".TP"; print "\\fB" esc(term) "\\fR"; if (desc != "") print esc(desc) }
    # The names fill the first 30 columns, or the whole line when longer (the
    # description then starts on the next line).
    function flush() {
        if (held == "") return
        if (length(held) > 30 && substr(held, 30, 1) == " " && substr(held, 31, 1) != " ") {
            term = substr(held, 3, 28); desc = substr(held, 31)
        } else { term = substr(held, 3); desc = "" }
        sub(/ +$/, "", term); entry(term, desc); held = ""
    }
    /^Usage: / { sub(/^Usage: [^ ]*/, name); print ".SS \"" esc($0) "\""; print esc(about); usage = 1; next }
    !usage { about = (about == "" ? $0 : about " " $0); next }
    substr($0, 1, 30) ~ /^ +$/ && substr($0, 31, 1) != " " { flush(); sub(/^ +/, ""); print esc($0); next }
    { flush() }
    /^(Options|Positionals):$/ || /^$/ || /^  -h,--help / { next }
    /^  [^ ]/ { held = $0; next }
    { print ".PP"; print esc($0) }
    END { flush() }
    '
}

subcommands=$("$program" --help | awk '/^Subcommands:$/ { f = 1; next } f && /^  [^ ]/ { print $1 } /^$/ { f = 0 }')
if [ -n "$subcommands" ]; then
    echo "[COMMANDS]" >>"$include"
    for sub in $subcommands; do
        "$program" "$sub" --help | to_roff >>"$include"
    done
fi
if [ $# -gt 0 ]; then
    echo "[SEE ALSO]" >>"$include"
    last=$(eval echo "\${$#}")
    for other in "$@"; do
        [ "$other" = "$last" ] && echo ".BR $other (1)" || echo ".BR $other (1),"
    done >>"$include"
fi

# Dated by the release (RELEASE_DATE, from the changelog), not by the build.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && [ -n "${RELEASE_DATE:-}" ]; then
    SOURCE_DATE_EPOCH=$(date -d "$RELEASE_DATE" +%s)
    export SOURCE_DATE_EPOCH
fi
version_arg=
"$program" --version >/dev/null 2>&1 || version_arg=--version-string=$version
include_arg=
[ -s "$include" ] && include_arg=--include=$include
"$help2man" --no-info --section=1 --name="$whatis" $version_arg $include_arg \
    --output="$page" "$program"
# Highest compression and no name or time stamp in the header, as Debian wants.
gzip -9nf "$page"
