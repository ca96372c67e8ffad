#!/bin/sh
# Runs the demo host. Usage: run-demo.sh <64-bit build dir>
set -eu
echo "The demo host arrives with the edit controls; there is nothing to show yet."
