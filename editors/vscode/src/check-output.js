'use strict';
// Reads what `morrowlark64 --check` prints: one finding a line,
//   FILE:LINE:COLUMN: error|warning: TEXT [MLnnn]
// with LINE and COLUMN counted from 1. This file has no editor in it, so the tests
// run it under plain node.

const path = require('path');

// FILE is matched lazily up to the first ":LINE:COLUMN: severity: ", so a Windows
// path's drive colon (C:\scripts\a.txt) stays in the name.
const kFindingLine = /^(.+?):(\d+):(\d+): (error|warning): (.*?)(?: \[(ML\d+)\])?\s*$/;

// Exit statuses of --check: anything but these two means the program itself failed.
const kNothingFound = 0;
const kFindings = 1;

// One finding of the line, or null where the line is not one.
function parseFindingLine(line) {
  const match = kFindingLine.exec(line);
  if (!match) return null;
  const [, file, lineText, columnText, severity, message, code] = match;
  return {
    file,
    line: Number(lineText),
    column: Number(columnText),
    severity,
    message,
    code: code || null,
  };
}

// Every finding of the program's output; other lines (the program's own remarks) are
// passed over.
function parseCheckOutput(text) {
  return text.split(/\r?\n/).map(parseFindingLine).filter((finding) => finding !== null);
}

// What a finished run of --check means: its findings, or why it gave none that count
// (status is null when the program was ended by a signal). A status of 0 with
// findings, or 1 without, is a program that does not keep its word: its findings are
// still shown, and the mismatch is reported rather than trusted.
function interpretCheckRun(status, stdout) {
  const findings = parseCheckOutput(stdout);
  const expected = findings.length === 0 ? kNothingFound : kFindings;
  if (status === expected) return { findings, failure: null };
  if (status === kNothingFound || status === kFindings) {
    return { findings, failure: `exit status ${status} with ${findings.length} findings` };
  }
  if (status === null) return { findings: [], failure: 'ended without an exit status' };
  return { findings: [], failure: `exit status ${status}` };
}

// The findings by the absolute path of the file they name: a script's imports are
// named as the program found them, relative to the folder it ran in.
function findingsByFile(findings, folder) {
  const byFile = new Map();
  for (const finding of findings) {
    const file = path.resolve(folder, finding.file);
    if (!byFile.has(file)) byFile.set(file, []);
    byFile.get(file).push(finding);
  }
  return byFile;
}

module.exports = { parseFindingLine, parseCheckOutput, interpretCheckRun, findingsByFile };
