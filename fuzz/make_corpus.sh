#!/usr/bin/env bash
# Builds the seed corpus of zelas_fuzz: every example source, every end-to-end case's inputs and
# every saved regression input. Usage: fuzz/make_corpus.sh OUTDIR
#
# A seed is three option bytes (see fuzz/zelas_fuzz.cpp), the source, and optionally the included
# file after "\n@@include\n" and the configuration after "\n@@config\n". A case's first input
# other than prog.asm and the configuration becomes the included file, renamed inc.asm in the
# source; its -b, -e, -p, -t and -c options become the option bytes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: make_corpus.sh OUTDIR}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Writes the three option bytes: bits, product row, tab value (all decimal).
header() { printf "\\$(printf '%03o' "$1")\\$(printf '%03o' "$2")\\$(printf '%03o' "$3")"; }

# Product row of an ID in the table order of src/target/product.cpp (first match); nothing for
# an unknown ID, which some cases give on purpose.
productRow() {
  { grep -o '{"PX[0-9]*"' "$root/src/target/product.cpp" | tr -d '{"' | grep -n -x -m1 "$1" |
    cut -d: -f1 | awk '{ print $1 - 1 }'; } || true
}

count=0
for f in "$root"/examples/*.asm; do
  [ -f "$f" ] || continue
  { header 0 0 0; cat "$f"; } >"$out/example-$(basename "$f" .asm)"
  count=$((count + 1))
done

# Splits a case file into $work/case/in/NAME files and $work/case/args.
splitCase() {
  rm -rf "$work/case" && mkdir -p "$work/case/in"
  awk -v dir="$work/case" '
    /^==> / {
      target = ""
      if ($2 == "in") {
        target = dir "/in/" substr($0, 8)
        if (index(substr($0, 8), "/") > 0) system("mkdir -p \"$(dirname \"" target "\")\"")
      }
      else if ($2 == "args") target = dir "/args"
      if (target != "") printf "" > target
      next
    }
    target != "" { print >> target }
  ' "$1"
}

# Splits a source case (*.asm) the same way: the lines above its first ";;" line are prog.asm,
# ";; file NAME: TEXT" lines go to NAME (a final "|" only marks the end of the text) and the
# words of ";; args:" lines to args.
splitSourceCase() {
  rm -rf "$work/case" && mkdir -p "$work/case/in"
  awk -v dir="$work/case" '
    BEGIN { printf "" > (dir "/in/prog.asm") }
    !block && /^;;/ { block = 1 }
    !block { print >> (dir "/in/prog.asm"); next }
    /^;; file [^:]*:/ {
      rest = substr($0, 9)
      name = substr(rest, 1, index(rest, ":") - 1)
      text = substr(rest, length(name) + 2)
      sub(/^ /, "", text)
      sub(/\|$/, "", text)
      target = dir "/in/" name
      if (index(name, "/") > 0) system("mkdir -p \"$(dirname \"" target "\")\"")
      print text >> target
      next
    }
    /^;; args:/ { for (i = 3; i <= NF; i++) print $i >> (dir "/args") }
  ' "$1"
}

for c in $(find "$root/tests/e2e/cases" -name '*.case' -o -name '*.asm' | sort); do
  case "$c" in
    *.asm) splitSourceCase "$c" ;;
    *) splitCase "$c" ;;
  esac
  [ -f "$work/case/in/prog.asm" ] || continue
  bits=0 product=0 tab=0 config=""
  if [ -f "$work/case/args" ]; then
    prev=""
    while IFS= read -r arg; do
      case "$prev" in
        -c) config="$arg"; bits=$((bits | 16)); prev=""; continue ;;
        -t) tab=$(( (arg % 256 + 256) % 256 )); bits=$((bits | 8)); prev=""; continue ;;
      esac
      case "$arg" in
        -b*) bits=$((bits | 1)) ;;
        -e*) bits=$((bits | 2)) ;;
        -p?*) row=$(productRow "${arg#-p}"); [ -n "$row" ] && product=$row || product=128
              bits=$((bits | 4)) ;;
        -t) prev=-t ;;
        -t*) v="${arg#-t}"; [[ "$v" =~ ^-?[0-9]+$ ]] && tab=$(( (v % 256 + 256) % 256 ))
             bits=$((bits | 8)) ;;
        -c) prev=-c ;;
        -c*) config="${arg#-c}"; bits=$((bits | 16)) ;;
        -dSIM) bits=$((bits | 32)) ;;
      esac
    done <"$work/case/args"
  fi
  [ -n "$config" ] || config=zelas.cfg
  include=""
  for f in $(cd "$work/case/in" && find . -type f | sed 's|^\./||' | sort); do
    name="$f"
    if [ "$name" != prog.asm ] && [ "$name" != "$config" ]; then include="$name"; break; fi
  done
  seed="$out/case-$(basename "$(dirname "$c")")-$(basename "${c%.*}")"
  {
    header "$bits" "$product" "$tab"
    if [ -n "$include" ]; then
      sed "s|\"$include\"|\"inc.asm\"|g" "$work/case/in/prog.asm"
      printf '\n@@include\n'
      cat "$work/case/in/$include"
    else
      cat "$work/case/in/prog.asm"
    fi
    if [ -f "$work/case/in/$config" ]; then
      printf '\n@@config\n'
      cat "$work/case/in/$config"
    fi
  } >"$seed"
  count=$((count + 1))
done

for f in "$root"/fuzz/regressions/*; do
  [ -f "$f" ] || continue
  cp "$f" "$out/regression-$(basename "$f")"
  count=$((count + 1))
done
echo "make_corpus: $count seeds in $out"
