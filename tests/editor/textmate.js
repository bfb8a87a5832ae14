'use strict';
// Loads the extension's grammar into vscode-textmate, on the Oniguruma regular
// expressions that the editor itself uses, so a pattern is read as the editor reads it.

const fs = require('fs');
const path = require('path');
const oniguruma = require('vscode-oniguruma');
const textmate = require('vscode-textmate');

const kExtension = path.join(__dirname, '../../editors/vscode');
const kScope = 'source.morrowlark';

async function loadGrammar() {
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (text) => new oniguruma.OnigString(text),
    }),
    loadGrammar: async (scopeName) => {
      if (scopeName !== kScope) return null;
      const file = path.join(kExtension, 'syntaxes/morrowlark.tmLanguage.json');
      return textmate.parseRawGrammar(fs.readFileSync(file, 'utf8'), file);
    },
  });
  return registry.loadGrammar(kScope);
}

// Each line's tokens as [text, innermost scope], the language's suffix left off and
// blank tokens passed over; a token the grammar gives no scope of its own is 'source'.
function tokenizeLines(grammar, lines) {
  let state = textmate.INITIAL;
  return lines.map((line) => {
    const result = grammar.tokenizeLine(line, state);
    state = result.ruleStack;
    return result.tokens
      .map((token) => [line.slice(token.startIndex, token.endIndex), token.scopes[token.scopes.length - 1]])
      .filter(([text]) => text.trim() !== '')
      .map(([text, scope]) => [text.trim(), scope.replace(/\.morrowlark$/, '')]);
  });
}

module.exports = { loadGrammar, tokenizeLines };
