#!/usr/bin/env bash
# The core's folders include only the folders beneath them, so that a rule
# has one home and the arrows between folders run one way:
# paper/ -> formats/ -> derive/ -> geometry/ -> render/ and model/; the
# window's session/ stands on geometry/ beside them.
set -u
src="$2"
cd "$src" || exit 1

# Each folder and the folders its files may include besides its own.
allowed() {
    case $1 in
        model) echo "" ;;
        render) echo "model" ;;
        geometry) echo "model render" ;;
        derive) echo "model render geometry" ;;
        formats) echo "model render geometry derive" ;;
        paper) echo "model render geometry derive formats" ;;
        session) echo "model render geometry" ;;
    esac
}

status=0
for folder in model render geometry derive formats paper session; do
    ok="$folder $(allowed $folder)"
    while IFS=: read -r file included; do
        target=${included%%/*}
        case " $ok " in
            *" $target "*) ;;
            *) echo "$file includes $included: $folder/ may include only ${ok// /\/, }/"
               status=1 ;;
        esac
    done < <(grep -Ho '^#include "[a-z_]*/[^"]*"' "$folder"/*.cpp "$folder"/*.h 2>/dev/null |
             sed 's/#include "\(.*\)"/\1/')
done
exit $status
