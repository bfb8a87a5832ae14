'use strict';
// Runs `PROGRAM --check SCRIPT` in the script's folder, where the program looks for
// the files the script imports. Free of the editor, so the tests run it under node.

const childProcess = require('child_process');
const path = require('path');
const { interpretCheckRun } = require('./check-output');

// A check loads without running, so it is quick; a program that takes longer has hung.
const kTimeoutMs = 15000;
// Far more than any script's findings; a program that writes on has gone wrong.
const kMaxOutputBytes = 4 * 1024 * 1024;

// Resolves to { folder, findings, failure }: failure is null, or says why the
// program gave no answer to trust (not found, hung, ended by a signal, an exit status
// other than 0 or 1).
function runCheck(program, scriptPath) {
  const folder = path.dirname(scriptPath);
  const options = { cwd: folder, timeout: kTimeoutMs, maxBuffer: kMaxOutputBytes, encoding: 'utf8' };
  return new Promise((resolve) => {
    childProcess.execFile(program, ['--check', path.basename(scriptPath)], options, (error, stdout, stderr) => {
      resolve({ folder, ...outcome(program, error, stdout, stderr) });
    });
  });
}

function outcome(program, error, stdout, stderr) {
  if (error && typeof error.code === 'string') {
    const why = error.code === 'ENOENT' ? 'not found' : error.code;
    return { findings: [], failure: `${program}: ${why}` };
  }
  if (error && error.killed) return { findings: [], failure: `${program} --check did not finish in ${kTimeoutMs / 1000} s` };
  const status = error ? error.code ?? null : 0;
  const { findings, failure } = interpretCheckRun(status, stdout);
  if (!failure) return { findings, failure };
  const detail = stderr.trim().split(/\r?\n/)[0];
  return { findings, failure: `${program} --check: ${failure}${detail ? ` (${detail})` : ''}` };
}

module.exports = { runCheck };
