'use strict';
// The few parts of the editor's API that the extension uses, recording what it does
// with them, so that its diagnostics run under plain node. install() makes
// require('vscode') give this module.

const Module = require('module');

class Range {
  constructor(startLine, startColumn, endLine, endColumn) {
    Object.assign(this, { startLine, startColumn, endLine, endColumn });
  }
}

class Diagnostic {
  constructor(range, message, severity) {
    Object.assign(this, { range, message, severity });
  }
}

const listeners = { open: [], save: [], close: [] };
const shownErrors = [];
const collections = [];
const settings = {};

function listen(kind) {
  return (listener) => {
    listeners[kind].push(listener);
    return { dispose() {} };
  };
}

const vscode = {
  Range,
  Diagnostic,
  DiagnosticSeverity: { Error: 0, Warning: 1 },
  Uri: { file: (fsPath) => ({ scheme: 'file', fsPath, toString: () => `file://${fsPath}` }) },
  languages: {
    createDiagnosticCollection() {
      const byFile = new Map();
      const collection = {
        byFile,
        set: (uri, diagnostics) => byFile.set(uri.fsPath, diagnostics),
        delete: (uri) => byFile.delete(uri.fsPath),
        dispose() {},
      };
      collections.push(collection);
      return collection;
    },
  },
  workspace: {
    textDocuments: [],
    getConfiguration: (section) => ({ get: (key) => settings[`${section}.${key}`] }),
    onDidOpenTextDocument: listen('open'),
    onDidSaveTextDocument: listen('save'),
    onDidCloseTextDocument: listen('close'),
  },
  window: { showErrorMessage: (message) => shownErrors.push(message) },
};

// Fires an event at every listener and waits for what they started.
function fire(kind, document) {
  return Promise.all(listeners[kind].map((listener) => listener(document)));
}

function document(fsPath, languageId = 'morrowlark') {
  return { languageId, uri: vscode.Uri.file(fsPath) };
}

function install() {
  const resolve = Module._resolveFilename;
  Module._resolveFilename = function (request, ...rest) {
    return request === 'vscode' ? __filename : resolve.call(this, request, ...rest);
  };
}

module.exports = Object.assign(vscode, { install, fire, document, shownErrors, collections, settings });
