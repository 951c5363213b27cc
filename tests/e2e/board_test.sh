#!/usr/bin/env bash
# The board's commands and mouse model against a real MDI application under Wine,
# including one that stops answering for a while.
source "$(dirname "$0")/lib.sh"
mdi_app=$1
driver=$2

e2e_start "$mdi_app" "Board Editor" A.TXT B.TXT C.TXT
wine "$driver" || e2e_fail "the board driver reported failures"
