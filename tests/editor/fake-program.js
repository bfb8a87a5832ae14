'use strict';
// A stand-in for `morrowlark64 --check` in a scratch folder: it records the folder it
// ran in and its words, waits `delay` seconds, prints the folder's file `output` (or
// nothing), writes "fake failure" to standard error and exits with the number in
// `status` (or 0).

const fs = require('fs');
const os = require('os');
const path = require('path');

function makeFakeProgram(t) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'fake-check-'));
  t.after(() => fs.rmSync(folder, { recursive: true }));
  const program = path.join(folder, 'fake-check');
  // The answer is read before the run is recorded, so that once `ran-with` has grown
  // the next answer can be set without changing this one.
  fs.writeFileSync(program, [
    '#!/bin/sh',
    `output=$(cat '${folder}/output' 2>/dev/null)`,
    `status=$(cat '${folder}/status' 2>/dev/null || echo 0)`,
    `delay=$(cat '${folder}/delay' 2>/dev/null || echo 0)`,
    `pwd > '${folder}/ran-in'`,
    `echo "$@" >> '${folder}/ran-with'`,
    'sleep "$delay"',
    '[ -n "$output" ] && printf \'%s\\n\' "$output"',
    'echo "fake failure" >&2',
    'exit "$status"',
    '',
  ].join('\n'), { mode: 0o755 });
  return {
    folder,
    program,
    answer(output, status, delaySeconds = 0) {
      fs.writeFileSync(path.join(folder, 'output'), output);
      fs.writeFileSync(path.join(folder, 'status'), String(status));
      fs.writeFileSync(path.join(folder, 'delay'), String(delaySeconds));
    },
    read(name) {
      const file = path.join(folder, name);
      return fs.existsSync(file) ? fs.readFileSync(file, 'utf8') : '';
    },
  };
}

module.exports = { makeFakeProgram };
