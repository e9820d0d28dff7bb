// The extension's client: it starts the program's own language server,
// `scenario lsp`, for the line and train sources.
import * as vscode from 'vscode';
import {
  LanguageClient,
  LanguageClientOptions,
  ServerOptions,
} from 'vscode-languageclient/node';

let client: LanguageClient | undefined;

// The program named in the settings, or the one on the PATH.
function programma(): string {
  const scelto = vscode.workspace
    .getConfiguration('scenario')
    .get<string>('percorso', '')
    .trim();
  if (scelto !== '') return scelto;
  return process.platform === 'win32' ? 'scenario-cli.exe' : 'scenario';
}

export async function activate(context: vscode.ExtensionContext): Promise<void> {
  const server: ServerOptions = { command: programma(), args: ['lsp'] };
  const opzioni: LanguageClientOptions = {
    documentSelector: [
      { scheme: 'file', language: 'scenario-linea' },
      { scheme: 'file', language: 'scenario-treno' },
    ],
  };
  client = new LanguageClient('scenario', 'Scenario', server, opzioni);
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration(async (e) => {
      if (e.affectsConfiguration('scenario.percorso') && client) {
        await client.stop();
        client = new LanguageClient('scenario', 'Scenario',
          { command: programma(), args: ['lsp'] }, opzioni);
        await client.start();
      }
    }),
  );
  await client.start();
}

export async function deactivate(): Promise<void> {
  if (client) await client.stop();
}
