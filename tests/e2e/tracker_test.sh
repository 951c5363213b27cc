#!/usr/bin/env bash
# The tracker and refresh tick against real MDI applications under Wine: our own MDI
# test program, Wine's File Manager (watched) and Program Manager (excluded by default),
# and Notepad as a non-MDI application.
source "$(dirname "$0")/lib.sh"
mdi_app=$1
driver=$2

e2e_start "$mdi_app" "Test Editor" 'C:\DOCS\B.TXT' A.TXT '3> Budget.xls'
e2e_start notepad
cd / && e2e_start winefile && cd - >/dev/null
e2e_start progman
wine "$driver" || e2e_fail "the tracker driver reported failures"
