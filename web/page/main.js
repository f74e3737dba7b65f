// SPDX-License-Identifier: GPL-3.0-or-later
// The page: loads the core, then wires the commands, the grid, the read and
// write panels and the language to it.

import ZT790 from './zt790.js';
import { ExchangePanel } from './exchange.js';
import { download, pickedText } from './files.js';
import { ChannelGrid } from './grid.js';
import { showMessage } from './messages.js';
import { SerialLine } from './serial_line.js';
import { text } from './texts.js';

const core = await ZT790();
const line = new SerialLine();
const $ = (id) => document.getElementById(id);
let fileName = 'radio.chann';

const page = {
  line,
  lineSettings: core.PageSession.lineSettings(),
  chinese: () => session.chinese(),
  showGrid: () => showAll(),
  afterExchange: () => showAll(),
};
const panel = new ExchangePanel(page);
const session = new core.PageSession(line, panel.observer());
page.session = session;
const grid = new ChannelGrid(session, showStatus, (caption) => { $('caption').textContent = caption; });

function showStatus() {
  const chinese = session.chinese();
  $('band').textContent = session.bandText();
  $('modified').textContent = session.modified() ? text('modified', chinese) : '';
  const port = line.describe();
  $('port-state').textContent = port === null ? text('noPort', chinese)
    : `${text('portChosen', chinese)} ${port}`.trim();
  $('undo').disabled = !session.canUndo();
  $('redo').disabled = !session.canRedo();
  $('model').selectedIndex = session.modelIndex();
}

let noteTimer;
function showAll(rows) {
  grid.showAll(rows);
  showStatus();
  const note = session.takeNote();
  if (!note) return;
  $('note').textContent = note;
  clearTimeout(noteTimer);
  noteTimer = setTimeout(() => { $('note').textContent = ''; }, 15000);
}

function translate() {
  const chinese = session.chinese();
  document.documentElement.lang = chinese ? 'zh' : 'en';
  document.querySelectorAll('[data-text]').forEach((element) => {
    element.textContent = text(element.dataset.text, chinese);
  });
  $('title').textContent = text('title', chinese);
  document.title = text('title', chinese);
  panel.retranslate();
  showAll();
}

// Every command first commits what the grid's editor holds, as leaving its
// cell does.
function command(id, run) {
  $(id).addEventListener('click', () => {
    grid.leave();
    run();
  });
}

command('open', () => $('open-file').click());
$('open-file').addEventListener('change', async (event) => {
  const file = await pickedText(event.target);
  event.target.value = '';
  if (!file) return;
  const message = session.openChannelFile(file.text);
  if (message.ok) fileName = file.name;
  showAll();
  showMessage(message);
});

command('save', () => {
  download(fileName, session.channelFileText(), 'text/plain');
  showMessage(session.channelFileSaved());
  showStatus();
});

command('import-csv', () => {
  $('csv-file').value = '';
  $('csv').showModal();
});
$('csv-cancel').addEventListener('click', () => $('csv').close());
$('csv-import').addEventListener('click', async () => {
  const file = await pickedText($('csv-file'));
  if (!file) return;
  $('csv').close();
  const message = session.importCsv(file.text, file.name, $('csv-skip').checked,
    $('csv-renumber').checked, $('csv-replace').checked);
  showAll();
  showMessage(message);
});

command('export-csv', () => {
  download(fileName.replace(/\.chann$/i, '') + '.csv', session.exportCsv(), 'text/csv');
});

const undoRedo = (redo) => {
  if (redo ? session.redo() : session.undo()) showAll(session.shownRows());
};
command('undo', () => undoRedo(false));
command('redo', () => undoRedo(true));

command('read', () => panel.open('read'));
command('write', () => panel.open('write'));

session.models().forEach((name) => $('model').add(new Option(name)));
$('model').addEventListener('change', (event) => {
  grid.leave();
  session.selectModel(event.target.selectedIndex);
  showAll();
});

$('language').addEventListener('change', (event) => {
  grid.leave();
  session.setChinese(event.target.value === 'zh');
  translate();
});

document.addEventListener('keydown', (event) => {
  if (!(event.ctrlKey || event.metaKey) || document.querySelector('dialog[open]')) return;
  const keys = { z: 'undo', y: 'redo', o: 'open', s: 'save' };
  const id = keys[event.key.toLowerCase()];
  if (!id || ((id === 'undo' || id === 'redo') && grid.typing())) return;
  event.preventDefault();
  $(id).click();
});

window.addEventListener('beforeunload', (event) => {
  if (!session.modified() && !session.inProgress()) return;
  event.preventDefault();
  event.returnValue = '';
});

line.onChange = showStatus;
if (!SerialLine.available()) {
  $('no-serial').hidden = false;
  $('read').disabled = true;
  $('write').disabled = true;
}
translate();
document.body.dataset.ready = 'true';
