'use strict';
// The extension in a stand-in editor: what --check finds is marked on its lines in the
// script and in the files it imports, cleared once fixed, and a program that cannot
// run is reported once, not at every save.

const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const vscode = require('./fake-vscode');
const { makeFakeProgram } = require('./fake-program');

vscode.install();
require('../../editors/vscode/extension').activate({ subscriptions: [] });
const [collection] = vscode.collections;

test('findings become diagnostics, and a failing program is reported once', async (t) => {
  const fake = makeFakeProgram(t);
  vscode.settings['morrowlark.checkProgram'] = fake.program;
  const script = path.join(fake.folder, 'job.txt');
  const imported = path.join(fake.folder, 'lib', 'words.txt');

  fake.answer('job.txt:3:5: warning: && is no operator [ML101]\n' +
    'lib/words.txt:1:2: error: Special character error: 4g [ML002]\n', 1);
  await vscode.fire('open', vscode.document(script));
  const [warning] = collection.byFile.get(script);
  assert.deepStrictEqual([warning.range.startLine, warning.range.startColumn, warning.range.endLine],
    [2, 4, 2]);
  assert.deepStrictEqual([warning.severity, warning.code, warning.message],
    [vscode.DiagnosticSeverity.Warning, 'ML101', '&& is no operator']);
  const [error] = collection.byFile.get(imported);
  assert.deepStrictEqual([error.range.startLine, error.range.startColumn, error.severity, error.code],
    [0, 1, vscode.DiagnosticSeverity.Error, 'ML002']);

  // Fixed, and saved: the import's marks go too.
  fake.answer('', 0);
  await vscode.fire('save', vscode.document(script));
  assert.deepStrictEqual(collection.byFile.get(script), []);
  assert.strictEqual(collection.byFile.has(imported), false);

  // Broken: said once over two saves, and again after a check that worked.
  fake.answer('', 2);
  await vscode.fire('save', vscode.document(script));
  await vscode.fire('save', vscode.document(script));
  assert.strictEqual(vscode.shownErrors.length, 1);
  assert.match(vscode.shownErrors[0], /^Morrowlark: .*fake-check --check: exit status 2 \(fake failure\)$/);
  fake.answer('', 0);
  await vscode.fire('save', vscode.document(script));
  fake.answer('', 2);
  await vscode.fire('save', vscode.document(script));
  assert.strictEqual(vscode.shownErrors.length, 2);

  // Other languages are never checked.
  fs.rmSync(path.join(fake.folder, 'ran-with'));
  await vscode.fire('save', vscode.document(path.join(fake.folder, 'notes.txt'), 'plaintext'));
  assert.strictEqual(fake.read('ran-with'), '');
});

test('of two checks in quick succession the later one stands, even when it ends first', async (t) => {
  const fake = makeFakeProgram(t);
  vscode.settings['morrowlark.checkProgram'] = fake.program;
  const script = path.join(fake.folder, 'quick.txt');

  fake.answer('quick.txt:1:1: error: Command error [ML004]', 1, 1);
  const slow = vscode.fire('save', vscode.document(script));
  while (!fake.read('ran-with')) await new Promise((resolve) => setTimeout(resolve, 20));
  fake.answer('', 0);
  await vscode.fire('save', vscode.document(script));
  await slow;
  assert.deepStrictEqual(collection.byFile.get(script), []);
});
