'use strict';
// The client side of the zelas language server: it starts `zelas --lsp` for zelas sources and
// passes the project's options on. Everything else (diagnostics, navigation, hover, completion,
// symbols, inlay hints) comes from the server, which runs the assembler itself.
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

// The server reads these names from initializationOptions; zelas.cfg beside the source adds to
// them there. Unset settings stay out so that the server's own defaults apply.
function initializationOptions(config) {
  const options = {
    includePath: config.get('includePath', []),
    defines: config.get('defines', []),
    noRomCheck: config.get('noRomCheck', false),
  };
  const product = config.get('product', '');
  if (product) options.product = product;
  const tabWidth = config.get('tabWidth', 0);
  if (tabWidth > 0) options.tabWidth = tabWidth;
  return options;
}

function activate(context) {
  const config = vscode.workspace.getConfiguration('zelas');
  const server = { command: config.get('path', 'zelas'), args: ['--lsp'] };
  client = new LanguageClient(
    'zelas',
    'zelas',
    { run: server, debug: server },
    {
      documentSelector: [{ language: 'zelas' }],
      initializationOptions: initializationOptions(config),
    },
  );
  // The options are read once at start; a changed setting needs the server started again.
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration((event) => {
      if (event.affectsConfiguration('zelas') && client) client.restart();
    }),
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
