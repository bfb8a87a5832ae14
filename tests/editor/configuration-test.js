'use strict';
// The language configuration's indentation, and the snippets: each expands to a script
// that the program (ML_PROGRAM) runs as the snippet promises.

const test = require('node:test');
const assert = require('node:assert');
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const kExtension = path.join(__dirname, '../../editors/vscode');
const readJson = (name) => JSON.parse(fs.readFileSync(path.join(kExtension, name), 'utf8'));

function rule(name) {
  const { pattern, flags } = readJson('language-configuration.json').indentationRules[name];
  return new RegExp(pattern, flags);
}

test('indentation grows after a block opens and shrinks where it closes', () => {
  const increase = rule('increaseIndentPattern');
  const decrease = rule('decreaseIndentPattern');
  for (const line of ['Cmp ($i < 3)', '  elcmp()', 'Def: Add($a, $b)', 'CLASS: Calc', '  def:F()']) {
    assert.ok(increase.test(line), line);
  }
  for (const line of ['$cmp = 1', '~Cmp(1)', "' Cmp (1)", 'End', 'Loop', 'Defaults()']) {
    assert.ok(!increase.test(line), line);
  }
  for (const line of ['End', '  LOOP', 'End Def', 'endclass', 'ElCmp ()', "End ' done", '  enddef  ']) {
    assert.ok(decrease.test(line), line);
  }
  for (const line of ['$end = 1', 'Ending()', 'End Defs', "' End", 'Loops', 'Cmp (1)']) {
    assert.ok(!decrease.test(line), line);
  }
});

// The snippet's text as the editor inserts it, each placeholder holding its default
// or the value given for its number.
function expand(body, values = {}) {
  const text = Array.isArray(body) ? body.join('\n') : body;
  return text.replace(/\\\$|\$\{(\d+):([^}]*)\}|\$(\d+)/g, (whole, number, fallback, bare) => {
    if (whole === '\\$') return '$';
    if (bare !== undefined) return values[bare] ?? '';
    return number in values ? values[number] : expand(fallback);
  });
}

// Runs the script quietly in a scratch folder holding FILES; gives its output and status.
function run(t, script, files = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'snippet-'));
  t.after(() => fs.rmSync(folder, { recursive: true }));
  for (const [name, text] of Object.entries({ ...files, 'snippet.txt': script })) {
    fs.writeFileSync(path.join(folder, name), text);
  }
  const result = childProcess.spawnSync(path.resolve(process.env.ML_PROGRAM), ['-q', 'snippet.txt'],
    { cwd: folder, encoding: 'utf8', input: '', timeout: 20000 });
  if (result.error) throw result.error;
  return { output: result.stdout, status: result.status, errors: result.stderr };
}

const snippets = readJson('snippets/morrowlark.json');
const kProgramMissing = !process.env.ML_PROGRAM && 'ML_PROGRAM names no program';

test('the loop snippet counts up to its limit', { skip: kProgramMissing }, (t) => {
  const script = `${expand(snippets['Counting loop'].body, { 0: '~Dos.Print($i " ")' })}\n~Dos.Print($i "")\n`;
  assert.deepStrictEqual(run(t, script), { output: '0 1 2 3 4 5 6 7 8 9 10', status: 0, errors: '' });
});

test('the function snippet gives its argument back', { skip: kProgramMissing }, (t) => {
  const script = `${expand(snippets.Function.body)}\n~Dos.Print(~Name(7) "")\n`;
  assert.deepStrictEqual(run(t, script), { output: '7', status: 0, errors: '' });
});

test('the read-every-line snippet prints every line, empty, long and number-like ones too', { skip: kProgramMissing }, (t) => {
  const lines = `one\n\n0\n10-5\n${'x'.repeat(300)}\nlast without a line end`;
  const result = run(t, expand(snippets['Read every line of a file'].body), { 'input.txt': lines });
  assert.deepStrictEqual(result, { output: `${lines}\n`, status: 0, errors: '' });
});

test('the window snippet stops with status 1 when no window comes', { skip: kProgramMissing || (!process.env.DISPLAY && 'no display') }, (t) => {
  const script = expand(snippets['Wait for a window'].body, { 2: 'No Such Window', 3: '100' });
  assert.deepStrictEqual(run(t, script), { output: 'no window: No Such Window\n', status: 1, errors: '' });
});
