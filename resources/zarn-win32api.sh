#!/bin/sh
# The program reads winapi.mdb from its own directory, so the real binary
# lives beside the database and this launcher goes on the PATH.
exec "$(dirname "$(readlink -f "$0")")/../lib/zarn-win32api/zarn-win32api" "$@"
