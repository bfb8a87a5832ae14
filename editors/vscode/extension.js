'use strict';
const { activateDiagnostics } = require('./src/diagnostics');

function activate(context) {
  activateDiagnostics(context);
}

module.exports = { activate };
