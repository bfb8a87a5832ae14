'use strict';
// A stand-in for `morrowlark64 --check` in a scratch folder: it records the folder it
// ran in and its words, prints the folder's file `output` (or nothing), writes
// "fake failure" to standard error and exits with the number in `status` (or 0).

const fs = require('fs');
const os = require('os');
const path = require('path');

function makeFakeProgram(t) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'fake-check-'));
  t.after(() => fs.rmSync(folder, { recursive: true }));
  const program = path.join(folder, 'fake-check');
  fs.writeFileSync(program, [
    '#!/bin/sh',
    `pwd > '${folder}/ran-in'`,
    `echo "$@" >> '${folder}/ran-with'`,
    `[ -f '${folder}/output' ] && cat '${folder}/output'`,
    'echo "fake failure" >&2',
    `[ -f '${folder}/status' ] && exit "$(cat '${folder}/status')"`,
    'exit 0',
    '',
  ].join('\n'), { mode: 0o755 });
  return {
    folder,
    program,
    answer(output, status) {
      fs.writeFileSync(path.join(folder, 'output'), output);
      fs.writeFileSync(path.join(folder, 'status'), String(status));
    },
    read(name) {
      const file = path.join(folder, name);
      return fs.existsSync(file) ? fs.readFileSync(file, 'utf8') : '';
    },
  };
}

module.exports = { makeFakeProgram };
