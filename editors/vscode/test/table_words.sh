#!/usr/bin/env bash
# Prints a grammar sample with scope assertions for every word of the assembler's own tables: the
# mnemonics and register words of the opcode map, the directives of the statement dispatcher and
# the product IDs, each in lower and upper case (the assembler ignores letter case in all of them).
# A word added to a table and not to the grammar then fails the grammar test.
#   table_words.sh REPO_ROOT >words.asm
set -euo pipefail
src="$1/src"

words() {  # words MIN: the words on standard input, sorted; fails when fewer than MIN
  local list
  list=$(sort -u)
  [ "$(wc -w <<<"$list")" -ge "$1" ] || { echo "table_words.sh: too few words: $list" >&2; exit 1; }
  echo "$list"
}
mnemonics=$(grep -o '^ *{0x[0-9A-F]*, *"[a-z]*"' "$src/target/opcode_map.h" | cut -d'"' -f2 | words 38)
registers=$(grep -o '^ *{0x[0-9A-F]*, *"[a-z]*", *"[^"]*"' "$src/target/opcode_map.h" | cut -d'"' -f4 |
  tr -c 'a-z\n' '\n' | grep -v -x -e '' -e expr | words 4)
directives=$(grep -o '{"[a-z]*", *MatchMode' "$src/statements/dispatcher.cpp" | cut -d'"' -f2 | words 18)
products=$(grep -o '{"PX[0-9]*", *CpuFamily' "$src/target/product.cpp" | cut -d'"' -f2 | words 38)

scopeOf() {  # the scope the grammar gives a statement word
  case "$1" in
    ifdef | ifndef | if | define | else | endif) echo keyword.control.conditional.zelas ;;
    include) echo keyword.control.import.zelas ;;
    *) echo keyword.other.directive.zelas ;;
  esac
}
marks() {  # marks COLUMN WORD SCOPE: an assertion line under WORD at COLUMN
  printf ';%*s%s %s\n' "$(($1 - 1))" '' "$(printf '%*s' "${#2}" '' | tr ' ' '^')" "$3"
}

echo '; SYNTAX TEST "source.zelas" "every word of the assembler'"'"'s tables"'
for w in $mnemonics; do
  for v in "$w" "${w^^}"; do printf '        %s\n' "$v"; marks 8 "$v" keyword.other.mnemonic.zelas; done
done
for w in $directives macro endm; do
  scope=$(scopeOf "$w")
  [ "$w" = macro ] || [ "$w" = endm ] && scope=keyword.other.directive.macro.zelas
  for v in "$w" "${w^^}"; do printf '        %s\n' "$v"; marks 8 "$v" "$scope"; done
done
for w in $registers; do
  for v in "$w" "${w^^}"; do printf '        push    %s\n' "$v"; marks 16 "$v" variable.language.register.zelas; done
done
for w in $products; do
  for v in "$w" "${w,,}"; do printf '        cpu     %s\n' "$v"; marks 16 "$v" constant.language.product.zelas; done
done
