#!/usr/bin/env bash
# The simulated desktop against Wine's window manager: the driver builds one scene as real
# windows and as a model and reports every answer on which they differ.
source "$(dirname "$0")/lib.sh"
driver=$1

wine "$driver" || e2e_fail "the simulated desktop and Wine differ (see above)"
