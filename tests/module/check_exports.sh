#!/bin/sh
# The module exports its three entry points and nothing else, and needs no libstdc++ from the host.
set -eu
module="$1"
exported=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$exported" != "GetPluginFactory ModuleEntry ModuleExit " ]; then
    echo "unexpected exports: $exported"
    exit 1
fi
if objdump -p "$module" | grep -q 'NEEDED.*libstdc++'; then
    echo "the module links libstdc++ dynamically"
    exit 1
fi
echo "exports: $exported"
