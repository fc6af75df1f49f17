#!/usr/bin/env bash
# Tests of the editor support, run by .ci/run:
#   editors/test.sh ZELAS OUT
# ZELAS is the zelas executable (with --lsp), OUT a scratch folder (the packaged .vsix goes there).
# 1. the TextMate grammar against the scope assertions of editors/vscode/test/*.asm, and against
#    every word of the assembler's tables (test/table_words.sh), and on the examples;
# 2. the VS Code extension packaged as a .vsix, which must hold the grammar, the language
#    configuration and the language client;
# 3. which files the neovim setup takes for zelas sources;
# 4. headless neovim as a client of `zelas --lsp` on an example with a mistake, first against a
#    server that never answers (the test must fail, and in time), then against zelas.
# The npm tools are installed into editors/vscode/node_modules from package-lock.json.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 ZELAS OUT" >&2; exit 2; }
zelas=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
editors=$(realpath "$(dirname "$0")")
cd "$editors/vscode"

echo "-- npm tools"
npm ci --no-audit --no-fund --loglevel=error

echo "-- grammar"
bash test/table_words.sh "$editors/.." >"$out/table_words.asm"
npx vscode-tmgrammar-test -g syntaxes/zelas.tmLanguage.json 'test/*.asm' "$out/table_words.asm"
node --test test/

echo "-- .vsix"
rm -f "$out/zelas.vsix"
npx vsce package --skip-license --allow-missing-repository -o "$out/zelas.vsix" >"$out/vsce.log" 2>&1 ||
  { cat "$out/vsce.log"; exit 1; }
unzip -Z1 "$out/zelas.vsix" >"$out/vsix-contents.txt"
for f in extension/package.json extension/extension.js extension/language-configuration.json \
  extension/syntaxes/zelas.tmLanguage.json extension/node_modules/vscode-languageclient/node.js \
  extension/node_modules/vscode-languageserver-protocol/package.json \
  extension/node_modules/vscode-jsonrpc/package.json; do
  grep -qx "$f" "$out/vsix-contents.txt" || { echo "$out/zelas.vsix lacks $f"; exit 1; }
done
# Every file the packed manifest names must be in the package.
unzip -p "$out/zelas.vsix" extension/package.json | node -e '
  const m = JSON.parse(require("fs").readFileSync(0, "utf8"));
  const named = [m.main, ...m.contributes.grammars.map((g) => g.path),
    ...m.contributes.languages.map((l) => l.configuration)];
  for (const f of named) console.log("extension/" + f.replace(/^\.\//, ""));' >"$out/vsix-named.txt"
while read -r f; do
  grep -qx "$f" "$out/vsix-contents.txt" || { echo "the manifest names $f, not in the .vsix"; exit 1; }
done <"$out/vsix-named.txt"
[ "$(wc -l <"$out/vsix-named.txt")" -eq 3 ] || { echo "the manifest names no grammar or client"; exit 1; }
# The client's dependencies, and theirs, must all be packed: VS Code installs nothing.
rm -rf "$out/vsix" && mkdir "$out/vsix" && unzip -q "$out/zelas.vsix" -d "$out/vsix"
node -e '
  const fs = require("fs"), path = require("path");
  const seen = new Set();
  const visit = (manifest) => {
    for (const dep of Object.keys(require(manifest).dependencies || {})) {
      let dir = path.dirname(manifest), found;
      // Node looks in node_modules beside the package, then in each folder above it.
      for (; !found && dir.startsWith(process.argv[1]); dir = path.dirname(dir)) {
        const candidate = path.join(dir, "node_modules", dep, "package.json");
        if (fs.existsSync(candidate)) found = candidate;
      }
      if (!found) throw new Error(dep + ", needed by " + manifest + ", is not packed");
      if (!seen.has(found)) { seen.add(found); visit(found); }
    }
  };
  visit(path.join(process.argv[1], "package.json"));
  console.log(seen.size + " packed packages resolve");' "$out/vsix/extension"
if grep -q -E '^extension/(test/|node_modules/(@vscode/vsce|vscode-tmgrammar-test)/)' \
  "$out/vsix-contents.txt"; then
  echo "$out/zelas.vsix holds the tests or the build tools"; exit 1
fi
echo "$(wc -l <"$out/vsix-contents.txt") files in $out/zelas.vsix"

echo "-- neovim: filetype detection"
ZELAS_NVIM_LUA="$editors/nvim/lua" timeout -k 5 60 \
  nvim --headless --clean -c "luafile $editors/nvim/test/detect.lua" </dev/null

echo "-- neovim: a client of zelas --lsp"
e2e() {  # e2e SERVER WAIT_MS: runs the headless client in a fresh copy of the example
  local work
  work=$(mktemp -d)
  cp "$editors/../examples/blink.asm" "$editors/../examples/blink_io.inc" "$work/"
  # The mistake: a call of a label that does not exist.
  sed -i 's/^\( *call *led_on\)$/\1n/' "$work/blink.asm"
  local status=0
  ZELAS="$zelas" ZELAS_SERVER="$1" ZELAS_E2E_WAIT_MS="$2" ZELAS_E2E_DIR="$work" \
    ZELAS_NVIM_LUA="$editors/nvim/lua" timeout -k 5 120 \
    nvim --headless --clean -c "luafile $editors/nvim/test/e2e.lua" </dev/null || status=$?
  rm -rf "$work"
  return $status
}
silent="$out/silent-server"
printf '#!/bin/sh\nexec cat >/dev/null\n' >"$silent"
chmod +x "$silent"
start=$(date +%s)
if e2e "$silent" 3000 2>"$out/nvim-silent.log" >/dev/null; then
  echo "the neovim test passed against a server that never answers"; exit 1
fi
grep -q 'FAILED: timed out waiting for ' "$out/nvim-silent.log" ||
  { cat "$out/nvim-silent.log"; exit 1; }
echo "a silent server fails the test in $(($(date +%s) - start)) s, as it should"
e2e "$zelas" 20000
