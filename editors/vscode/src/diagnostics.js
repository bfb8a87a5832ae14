'use strict';
// Shows the findings of `--check` on the lines they name, for each Morrowlark file
// when it is opened and when it is saved.

const vscode = require('vscode');
const { findingsByFile } = require('./check-output');
const { runCheck } = require('./check-runner');

const kLanguage = 'morrowlark';
// A finding names a line and a column; it is marked from there to the line's end,
// which the editor cuts to the line's real length.
const kLineEnd = Number.MAX_SAFE_INTEGER;

function toDiagnostic(finding) {
  const line = finding.line - 1;
  const range = new vscode.Range(line, finding.column - 1, line, kLineEnd);
  const severity = finding.severity === 'error' ? vscode.DiagnosticSeverity.Error : vscode.DiagnosticSeverity.Warning;
  const diagnostic = new vscode.Diagnostic(range, finding.message, severity);
  diagnostic.source = 'morrowlark --check';
  if (finding.code) diagnostic.code = finding.code;
  return diagnostic;
}

function checkProgram() {
  return vscode.workspace.getConfiguration('morrowlark').get('checkProgram') || 'morrowlark64';
}

function activateDiagnostics(context) {
  const collection = vscode.languages.createDiagnosticCollection(kLanguage);
  // The failure last shown: a program that is missing or broken fails on every save,
  // and saying so once is enough until a check succeeds again or the failure changes.
  let shownFailure = null;
  // The files each script's last check marked, so that a fixed import is cleared too.
  const markedBy = new Map();
  // The number of each script's latest check: saves in quick succession start checks
  // that may end in any order, and only the latest one's findings are true.
  const latestCheck = new Map();

  async function check(document) {
    if (document.languageId !== kLanguage || document.uri.scheme !== 'file') return;
    const script = document.uri.fsPath;
    const number = (latestCheck.get(script) || 0) + 1;
    latestCheck.set(script, number);
    const result = await runCheck(checkProgram(), script);
    if (latestCheck.get(script) !== number) return;
    if (result.failure && result.failure !== shownFailure) {
      vscode.window.showErrorMessage(`Morrowlark: ${result.failure}`);
    }
    shownFailure = result.failure;
    for (const file of markedBy.get(script) || []) collection.delete(vscode.Uri.file(file));
    const byFile = findingsByFile(result.findings, result.folder);
    collection.set(vscode.Uri.file(script), []);
    for (const [file, findings] of byFile) collection.set(vscode.Uri.file(file), findings.map(toDiagnostic));
    markedBy.set(script, [script, ...byFile.keys()]);
  }

  context.subscriptions.push(
    collection,
    vscode.workspace.onDidOpenTextDocument(check),
    vscode.workspace.onDidSaveTextDocument(check),
    vscode.workspace.onDidCloseTextDocument((document) => collection.delete(document.uri)),
  );
  vscode.workspace.textDocuments.forEach(check);
}

module.exports = { activateDiagnostics };
