# Helpers for the end-to-end scripts. They run under the test command's private display
# and Wine prefix (DISPLAY and WINEPREFIX are set by it).
set -u

: "${WINEPREFIX:?the end-to-end tests run from the test command, which sets WINEPREFIX}"
: "${DISPLAY:?the end-to-end tests run from the test command, which sets DISPLAY}"

e2e_pids=()

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts a Windows program in the background; its process id is in e2e_last_pid.
e2e_start() {
    wine "$@" >/dev/null 2>&1 &
    e2e_last_pid=$!
    e2e_pids+=("$e2e_last_pid")
}

# Waits up to $2 seconds for process $1 to end; its exit code is in e2e_exit_code.
e2e_wait_exit() {
    local pid=$1 limit=$2 waited=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$waited" -ge $((limit * 10)) ]; then
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$pid"
    e2e_exit_code=$?
    return 0
}

# Ends what this script started, by process id.
e2e_cleanup() {
    local pid
    for pid in "${e2e_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap e2e_cleanup EXIT

# A registry value as `wine reg query` prints it: "<type> <data>", CR stripped. Value
# names may contain blanks; reg separates the columns by four blanks.
e2e_reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | while IFS= read -r line; do
        line=${line#"    "}
        case "$line" in
            "$2    REG_"*)
                rest=${line#"$2    "}
                printf '%s %s\n' "${rest%%    *}" "${rest#*    }"
                break
                ;;
        esac
    done
}
