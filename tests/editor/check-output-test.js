'use strict';
// The extension's reading of `morrowlark64 --check`: the finding lines, the exit
// status, and a real run of a stand-in program that prints what --check prints.

const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { parseCheckOutput, interpretCheckRun, findingsByFile } = require('../../editors/vscode/src/check-output');
const { runCheck } = require('../../editors/vscode/src/check-runner');
const { makeFakeProgram } = require('./fake-program');

const kOutput = [
  'report.txt:3:5: warning: && is no operator: the condition compares one text; nest two Cmp lines instead [ML101]',
  'report.txt:12:1: error: Can not find: ~print -> Def: print [ML001]',
  'C:\\scripts\\tools.txt:7:10: error: Special character error: 4g [ML002]',
  'lib/words.txt:1:1: error: 變數未設定: $x [ML003]\r',
  'sub dir/a.txt:2:3: warning: no code here',
  'a line that is not a finding',
  'report.txt:x:1: error: not a number [ML001]',
  '',
].join('\n');

test('finding lines are read; any other line is passed over', () => {
  assert.deepStrictEqual(parseCheckOutput(kOutput), [
    { file: 'report.txt', line: 3, column: 5, severity: 'warning', code: 'ML101',
      message: '&& is no operator: the condition compares one text; nest two Cmp lines instead' },
    { file: 'report.txt', line: 12, column: 1, severity: 'error', code: 'ML001',
      message: 'Can not find: ~print -> Def: print' },
    { file: 'C:\\scripts\\tools.txt', line: 7, column: 10, severity: 'error', code: 'ML002',
      message: 'Special character error: 4g' },
    { file: 'lib/words.txt', line: 1, column: 1, severity: 'error', code: 'ML003', message: '變數未設定: $x' },
    { file: 'sub dir/a.txt', line: 2, column: 3, severity: 'warning', code: null, message: 'no code here' },
  ]);
});

test('the exit status decides whether the findings are trusted', () => {
  const one = 'a.txt:1:1: warning: w [ML101]\n';
  assert.deepStrictEqual(interpretCheckRun(0, ''), { findings: [], failure: null });
  assert.strictEqual(interpretCheckRun(1, one).failure, null);
  assert.strictEqual(interpretCheckRun(1, one).findings.length, 1);
  // A program that contradicts itself: its findings are shown, the mismatch said.
  assert.deepStrictEqual(interpretCheckRun(0, one).failure, 'exit status 0 with 1 findings');
  assert.strictEqual(interpretCheckRun(0, one).findings.length, 1);
  assert.deepStrictEqual(interpretCheckRun(1, 'crashed\n'), { findings: [], failure: 'exit status 1 with 0 findings' });
  // Any other status is a program that failed: what it printed is not a check.
  assert.deepStrictEqual(interpretCheckRun(2, one), { findings: [], failure: 'exit status 2' });
  assert.deepStrictEqual(interpretCheckRun(null, one), { findings: [], failure: 'ended without an exit status' });
});

test('findings are grouped by the file they name, relative to the script folder', () => {
  const findings = parseCheckOutput(kOutput).filter((finding) => !finding.file.startsWith('C:'));
  const byFile = findingsByFile(findings, '/home/me/scripts');
  assert.deepStrictEqual([...byFile.keys()], ['/home/me/scripts/report.txt', '/home/me/scripts/lib/words.txt',
    '/home/me/scripts/sub dir/a.txt']);
  assert.deepStrictEqual(byFile.get('/home/me/scripts/report.txt').map((finding) => finding.line), [3, 12]);
});

test('a run checks the script from its own folder and reads what it printed', async (t) => {
  const fake = makeFakeProgram(t);
  const scripts = path.join(fake.folder, 'scripts');
  fs.mkdirSync(scripts);
  const script = path.join(scripts, 'job.txt');

  fake.answer('job.txt:2:1: error: Command error [ML004]\n', 1);
  const found = await runCheck(fake.program, script);
  assert.strictEqual(found.failure, null);
  assert.strictEqual(found.folder, scripts);
  assert.deepStrictEqual(found.findings.map((finding) => [finding.line, finding.code]), [[2, 'ML004']]);
  assert.strictEqual(fake.read('ran-in').trim(), fs.realpathSync(scripts));
  assert.strictEqual(fake.read('ran-with'), '--check job.txt\n');

  fake.answer('', 0);
  const clean = await runCheck(fake.program, script);
  assert.deepStrictEqual([clean.findings, clean.failure], [[], null]);

  fake.answer('job.txt:2:1: error: E [ML004]\n', 3);
  const broken = await runCheck(fake.program, script);
  assert.deepStrictEqual(broken.findings, []);
  assert.match(broken.failure, /fake-check --check: exit status 3 \(fake failure\)$/);

  const missing = await runCheck(path.join(fake.folder, 'no-such-program'), script);
  assert.match(missing.failure, /no-such-program: not found$/);
});
