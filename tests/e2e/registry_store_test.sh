#!/usr/bin/env bash
# The registry store on Wine's real registry: a first start reads defaults and creates the
# four keys without writing a value; an exit save writes exactly the changed values with
# the right types (checked from outside with `wine reg query`); they read back; values of
# the wrong type, out of range or oversized load as specified.
source "$(dirname "$0")/lib.sh"
driver=$1
root='HKCU\Software\Halden\Perch'

dump() { wine "$driver" dump | tr -d '\r'; }
expect_dump() {  # expect_dump <dump text> name=value...
    local text=$1 pair
    shift
    for pair in "$@"; do
        grep -qxF "$pair" <<<"$text" || e2e_fail "expected $pair, loaded: $(grep "^${pair%%=*}=" <<<"$text" | cut -c1-80)"
    done
}
expect_reg() {  # expect_reg <section> <value name> "<type> <data>"
    local got
    got=$(e2e_reg_value "$root\\$1" "$2")
    [ "$got" = "$3" ] || e2e_fail "$1\\$2 is '$got', expected '$3'"
}
expect_no_reg() {
    [ -z "$(e2e_reg_value "$root\\$1" "$2")" ] || e2e_fail "$1\\$2 was written but should not be"
}

wine reg delete "$root" /f >/dev/null 2>&1 || true

# First start: every default, the keys exist, nothing is written.
text=$(dump)
expect_dump "$text" Height=-11 Weight=400 Italic=0 Underline=0 PitchAndFamily=34 \
    "FaceName=MS Sans Serif" Boxes=1 Menu=1 Auto=0 SmartPos=1 Resize=1 First=1 Paths=0 \
    Splash=1 Focus=1 Save=1 NumColumns=2 NumRows=0 NumChars=20 UpdateMs=1500 Capitals=1 \
    Sort=0 Visibility=1 XPos=10 YPos=10 XSize=10 YSize=10 "ExcludedApps=Program Manager" \
    TextColor=000000 BkgndColor=c0c0c0 HltColor=ffff00 FocusColor=ffffff
for key in Font Options Position Colors; do
    wine reg query "$root\\$key" >/dev/null 2>&1 || e2e_fail "key $key was not created by reading"
    values=$(wine reg query "$root\\$key" 2>/dev/null | tr -d '\r' | grep -c 'REG_' || true)
    [ "$values" -eq 0 ] || e2e_fail "reading wrote $values values under $key"
done
echo "first start: ok"

# Exit save of a known set of changes: only they are written, with their registry types.
wine "$driver" write
expect_reg Font Height "REG_DWORD 0xfffffff0"
expect_reg Font Italic "REG_DWORD 0x1"
expect_reg Font FaceName "REG_SZ Tahoma"
expect_no_reg Font Weight
expect_reg Options NumColumns "REG_DWORD 0x7"
expect_reg Options Update "REG_DWORD 0x578"  # 1.4 s is 1400 ms, not 1399
expect_reg Options Visibility "REG_DWORD 0x2"
expect_reg Options "Excluded Apps" "REG_SZ Word||Excel"
expect_no_reg Options Menu
expect_no_reg Options Save
expect_reg Position "X Pos" "REG_DWORD 0x64"
expect_reg Position "Y Pos" "REG_DWORD 0xc8"
expect_reg Position "X Size" "REG_DWORD 0x12c"
expect_reg Position "Y Size" "REG_DWORD 0x96"
expect_reg Colors "Red Hlt" "REG_DWORD 0xff"
expect_reg Colors "Green Hlt" "REG_DWORD 0x0"
expect_reg Colors "Blue Hlt" "REG_DWORD 0x80"
expect_no_reg Colors "Red Text"
echo "exit save: ok"

text=$(dump)
expect_dump "$text" Height=-16 Italic=1 FaceName=Tahoma NumColumns=7 UpdateMs=1400 \
    Visibility=2 "ExcludedApps=Word||Excel" XPos=100 YPos=200 XSize=300 YSize=150 \
    HltColor=8000ff Menu=1
echo "read back: ok"

# Bad values, planted from outside.
long_face=$(printf 'F%.0s' $(seq 40))
long_list=$(head -c 10000 /dev/zero | tr '\0' 'x')
wine reg add "$root\\Options" /v Menu /t REG_SZ /d 0 /f >/dev/null 2>&1
wine reg add "$root\\Options" /v Sort /t REG_BINARY /d 01000000 /f >/dev/null 2>&1
wine reg add "$root\\Options" /v NumColumns /t REG_DWORD /d 4294967295 /f >/dev/null 2>&1
wine reg add "$root\\Options" /v "Excluded Apps" /t REG_SZ /d "$long_list" /f >/dev/null 2>&1
wine reg add "$root\\Font" /v Italic /t REG_DWORD /d 257 /f >/dev/null 2>&1
wine reg add "$root\\Font" /v FaceName /t REG_SZ /d "$long_face" /f >/dev/null 2>&1
wine reg add "$root\\Font" /v Weight /t REG_SZ /d 700 /f >/dev/null 2>&1
text=$(dump)
expect_dump "$text" Menu=1 Sort=0 NumColumns=-1 ExcludedAppsLength=10000 Italic=1 \
    "FaceName=$(printf 'F%.0s' $(seq 31))" Weight=400
# Loading never rewrites what it read.
expect_reg Options Menu "REG_SZ 0"
expect_reg Options NumColumns "REG_DWORD 0xffffffff"
echo "bad values: ok"

# Strings an earlier Perch wrote through the ANSI functions (code page 1252 bytes) load as
# the same text; an ASCII list written now reads back the same through the ANSI functions.
wine reg delete "$root" /f >/dev/null 2>&1 || true
text=$(wine "$driver" compat | tr -d '\r')
expect_dump "$text" "ExcludedApps=Café||Word" "FaceName=Courîer New" "AnsiRead=Notes||Mail"
echo "strings across the ANSI and the wide functions: ok"
wine reg delete "$root" /f >/dev/null 2>&1 || true
