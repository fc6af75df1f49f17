'use strict';
// The grammar on the real examples: every statement word it takes for a macro invocation must be
// a macro that the example defines, and every label definition must be coloured as one. A word
// missing from the grammar's mnemonic or directive lists shows here as a stray macro invocation.
// Run with `node --test test/` from editors/vscode once the npm tools are installed.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const oniguruma = require('vscode-oniguruma');
const textmate = require('vscode-textmate');

const examples = path.join(__dirname, '..', '..', '..', 'examples');
const grammarPath = path.join(__dirname, '..', 'syntaxes', 'zelas.tmLanguage.json');

async function loadGrammar() {
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async () =>
      textmate.parseRawGrammar(fs.readFileSync(grammarPath, 'utf8'), grammarPath),
  });
  return registry.loadGrammar('source.zelas');
}

// Each token of text as { line, text, scopes }.
function tokenize(grammar, text) {
  const tokens = [];
  let stack = textmate.INITIAL;
  text.split('\n').forEach((line, number) => {
    const result = grammar.tokenizeLine(line, stack);
    for (const t of result.tokens) {
      tokens.push({ line: number + 1, text: line.slice(t.startIndex, t.endIndex), scopes: t.scopes });
    }
    stack = result.ruleStack;
  });
  return tokens;
}

const sources = fs
  .readdirSync(examples, { recursive: true })
  .filter((f) => /\.(asm|inc)$/.test(f));

test('the examples are there', () => assert.ok(sources.length >= 4, sources.join(' ')));

for (const file of sources) {
  test(`grammar on ${file}`, async () => {
    const grammar = await loadGrammar();
    const text = fs.readFileSync(path.join(examples, file), 'utf8');
    const tokens = tokenize(grammar, text);
    const has = (t, scope) => t.scopes.includes(scope);
    const defined = new Set(
      tokens.filter((t) => has(t, 'entity.name.function.macro.zelas')).map((t) => t.text));
    const strays = tokens
      .filter((t) => has(t, 'entity.name.function.macro.call.zelas') && !defined.has(t.text))
      .map((t) => `${file}:${t.line}: ${t.text}`);
    assert.deepStrictEqual(strays, []);
    const labelLines = text.split('\n').flatMap((line, i) =>
      /^\s*\.?[\w#][\w#.]*\s*:/.test(line) ? [i + 1] : []);
    const coloured = new Set(tokens.filter((t) => has(t, 'entity.name.label.zelas') ||
      has(t, 'entity.name.label.local.zelas')).map((t) => t.line));
    assert.deepStrictEqual(labelLines.filter((n) => !coloured.has(n)), []);
  });
}
