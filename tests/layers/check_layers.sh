#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or of a layer
# beside it: the include graph of the core points down only, and no front includes
# another front.
#   check_layers.sh SOURCE_DIR
set -uo pipefail
src="$1"

# Rank of each folder of src/; a file may include folders of a lower rank and its own.
declare -A rank=([base]=0 [case]=1 [liquids]=2 [solver]=3 [run]=4 [study]=4 [coating]=4 [design]=5
                 [cli]=6 [ui]=6 [python]=6)

violations=0
while IFS= read -r -d '' file; do
  relative="${file#"$src"/}"
  layer="${relative%%/*}"
  [ -n "${rank[$layer]+set}" ] || continue
  while IFS= read -r included; do
    # A layer's public headers are included as fluxeta/<layer>/…, its own as plain names.
    target="${included#fluxeta/}"
    target="${target%%/*}"
    [ -n "${rank[$target]+set}" ] || continue
    [ "$target" = "$layer" ] && continue
    if [ "${rank[$target]}" -ge "${rank[$layer]}" ]; then
      echo "$relative includes $included: $target is not below $layer"
      violations=$((violations + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

echo "layers: $violations upward or sideways includes"
[ "$violations" -eq 0 ]
