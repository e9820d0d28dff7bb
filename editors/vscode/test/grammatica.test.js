// The extension's grammars, run by the same TextMate engine as VS Code's
// (vscode-textmate with the Oniguruma regular expressions), on lines of
// both sources: each token that matters gets its scope.
'use strict';
const assert = require('assert');
const fs = require('fs');
const path = require('path');
const { test } = require('node:test');
const vsctm = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const cartella = path.join(__dirname, '..');
const wasm = fs.readFileSync(
  path.join(cartella, 'node_modules', 'vscode-oniguruma', 'release', 'onig.wasm'));
const pronto = oniguruma.loadWASM(wasm.buffer);

const registro = new vsctm.Registry({
  onigLib: pronto.then(() => ({
    createOnigScanner: (s) => new oniguruma.OnigScanner(s),
    createOnigString: (s) => new oniguruma.OnigString(s),
  })),
  loadGrammar: async (scopo) => {
    const file = path.join(cartella, 'syntaxes', scopo.replace('source.', '') +
      '.tmLanguage.json');
    return vsctm.parseRawGrammar(fs.readFileSync(file, 'utf8'), file);
  },
});

// The innermost scope of each token of `riga` that is not blank, as
// [text, scope]; the grammar's own scope stands for "no scope".
async function token(scopo, riga) {
  const g = await registro.loadGrammar(scopo);
  const r = g.tokenizeLine(riga, vsctm.INITIAL);
  return r.tokens
    .map((t) => [riga.substring(t.startIndex, t.endIndex).trim(),
      t.scopes[t.scopes.length - 1]])
    .filter(([testo]) => testo !== '');
}

// `attese` lists [text, scope] pairs that must stand among the tokens.
async function controlla(scopo, riga, attese) {
  const t = await token(scopo, riga);
  for (const a of attese) {
    assert.ok(t.some(([x, s]) => x === a[0] && s === a[1]),
      `${riga}: no ${a[0]} as ${a[1]} in ${JSON.stringify(t)}`);
  }
}

const linea = 'source.scenario-linea';
const treno = 'source.scenario-treno';
const parola = 'keyword.other.scenario';
const numero = 'constant.numeric.scenario';

test('sections, comments and keywords of the line source', async () => {
  await controlla(linea, '[generale]', [['[generale]', 'entity.name.section.scenario']]);
  await controlla(linea, '  [curve]', [['[curve]', 'entity.name.section.scenario']]);
  await controlla(linea, '--- tratto di montagna, 3, 4',
    [['--- tratto di montagna, 3, 4', 'comment.line.scenario']]);
  await controlla(linea, 'lunghezza percorso,    309000',
    [['lunghezza percorso', parola], ['309000', numero]]);
  await controlla(linea, 'curvaS2,  6150,  1750',
    [['curvaS2', parola], ['6150', numero], ['1750', numero]]);
  await controlla(linea, 'pendenza,  10850,   -2',
    [['pendenza', parola], ['-2', numero], [',', 'punctuation.separator.scenario']]);
  await controlla(linea, 'indicatori_vmax,  108000,  130,  130,  130,  0,  ,  ,  ,  0',
    [['indicatori_vmax', parola], ['108000', numero]]);
  await controlla(linea, 'cartello_indicatore,  2050,   (Cippo Km 2.000)',
    [['cartello_indicatore', parola], ['2050', numero],
      ['(Cippo Km 2.000)', 'string.unquoted.board.scenario']]);
});

test('case rules follow the reader: progressive keywords are exact', async () => {
  await controlla(linea, 'progressiva chilometrica uno,    24000,    219000,    1',
    [['progressiva chilometrica uno', parola], ['219000', numero]]);
  const t = await token(linea, 'Progressiva chilometrica uno,    24000');
  assert.ok(!t.some(([, s]) => s === parola), JSON.stringify(t));
});

test('station names, numbers and keywords of the train source', async () => {
  await controlla(treno,
    'stazione,    3600, 12,  700,  1, 1, 0,  4,1,1,  2,1,1,   60,  17,32, 0, PORTA VENDRALO',
    [['stazione', parola], ['3600', numero], ['60', numero],
      ['PORTA VENDRALO', 'string.unquoted.station.scenario']]);
  await controlla(treno, 'stazione, 0, 8, 800, 1, 1, 0, 5,1,0, 2,1,1, 1, 17,25, 0, Città Alta',
    [['Città Alta', 'string.unquoted.station.scenario']]);
  await controlla(treno, 'percentuale massa frenata,    125',
    [['percentuale massa frenata', parola], ['125', numero]]);
  await controlla(treno, 'VELOCITA,    1250,    95', [['VELOCITA', parola], ['95', numero]]);
  await controlla(treno, 'orologio,    17              24            30 ',
    [['orologio', parola], ['17', numero], ['24', numero], ['30', numero]]);
  await controlla(treno, '[vel_limite]', [['[vel_limite]', 'entity.name.section.scenario']]);
  // A line keyword is nothing in the train source.
  const t = await token(treno, 'pendenza, 0, 0');
  assert.ok(!t.some(([, s]) => s === parola), JSON.stringify(t));
});
