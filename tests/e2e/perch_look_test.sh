#!/usr/bin/env bash
# perch.exe at home on current Windows: its embedded manifest brings in the common controls
# of version 6 (a button made under it answers BCM_GETIDEALSIZE, which only version 6 does;
# the test MDI application, which has no manifest, is the counter-check), the running
# Perch has loaded them from their side-by-side folder, and it is per-monitor DPI aware.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/perch_lib.sh"
look_driver=$6
ld() { wine "$look_driver" "$@" 2>/dev/null | tr -d '\r'; }
trap e2e_cleanup EXIT

read -r ideal path <<<"$(ld comctl "$(winepath -w "$perch_exe")")"
[ "$ideal" = 1 ] || e2e_fail "under perch.exe's manifest a button does not answer BCM_GETIDEALSIZE ($path)"
case "$path" in
    *common-controls*6.0*) ;;
    *) e2e_fail "perch.exe's manifest brings in $path, not the common controls of version 6" ;;
esac
read -r ideal path <<<"$(ld comctl "$(winepath -w "$mdi_exe")")"
[ "$ideal" = 0 ] || e2e_fail "without a manifest a button answers BCM_GETIDEALSIZE: the check tells nothing"
echo "perch.exe's manifest gives the common controls of version 6: ok"

perch_fresh_registry
mdi_start "Look Editor" "One.txt" "Two.txt"
perch_start
loaded=$(ld loaded "$perch_title") || e2e_fail "cannot read the modules of perch.exe"
case "$loaded" in
    *common-controls*6.0*) ;;
    *) e2e_fail "perch.exe runs with $loaded" ;;
esac
read -r dpi awareness <<<"$(ld dpi "$perch_title")"
[ "$awareness" = 2 ] || e2e_fail "perch.exe is not per-monitor DPI aware (awareness ${awareness:-none})"
echo "the running perch.exe uses $loaded, at $dpi DPI, per-monitor aware: ok"
