// SPDX-License-Identifier: GPL-3.0-or-later
// The read and write panels: the same status line, progress bar, start and
// Cancel buttons as the desktop program's read and write windows, and for a
// write its phases, Write Again and Restore Backup, over the core's link and
// write job. What the panel shows, when the exchange may start, stop or close
// and every message come from the core through `observer`.

import { download } from './files.js';
import { showMessage } from './messages.js';
import { text } from './texts.js';

const $ = (id) => document.getElementById(id);
const dialog = $('exchange');
const phase = $('exchange-phase');
const status = $('exchange-status');
const progress = $('exchange-progress');
const repairs = [$('exchange-again'), $('exchange-restore')];

export class ExchangePanel {
  // `page` has session, line, chinese() and afterExchange(mode, outcome).
  constructor(page) {
    this.page = page;
    this.mode = 'read';
    const session = () => page.session;
    $('exchange-start').addEventListener('click', () => this.start(() => (this.mode === 'read'
      ? session().startRead() : session().startWrite())));
    $('exchange-again').addEventListener('click', () => this.start(() => session().writeAgain()));
    $('exchange-restore').addEventListener('click',
      () => this.start(() => session().restoreBackup()));
    $('exchange-backup').addEventListener('click', () => {
      const stamp = new Date().toISOString().slice(0, 19).replace(/[-:]/g, '').replace('T', '-');
      download(`backup-${stamp}.chann`, session().backupFileText(), 'text/plain');
    });
    $('exchange-cancel').addEventListener('click', () => this.cancel());
    // Escape is the Cancel button, refused as it is while busy.
    dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      this.cancel();
    });
  }

  // What the core tells the page during an exchange.
  observer() {
    return {
      onProgress: (percent) => {
        progress.hidden = false;
        progress.value = percent;
      },
      onPhase: (text) => { phase.textContent = text; },
      onStatus: (label) => { status.textContent = label; },
      onMessage: (message) => { showMessage(message); },
      // After the core's call has returned: the port closes, the grid shows
      // what a read brought.
      onFinished: () => setTimeout(() => this.ended(false), 0),
      onBackup: () => { $('exchange-backup').hidden = false; },
      onEnded: (done, repair) => setTimeout(() => this.ended(repair), 0),
      confirmModel: (question) => window.confirm(question),
      onCloseDue: () => setTimeout(() => this.close(), 0),
    };
  }

  ended(repair) {
    this.page.line.close();
    this.page.afterExchange();
    repairs.forEach((button) => { button.hidden = !repair; });
    $('exchange-restore').hidden = !repair || !this.page.session.backupFileText();
  }

  open(mode) {
    this.mode = mode;
    [...repairs, $('exchange-backup')].forEach((button) => { button.hidden = true; });
    phase.textContent = '';
    status.textContent = '';
    progress.hidden = true;
    progress.value = 0;
    this.retranslate();
    dialog.showModal();
  }

  retranslate() {
    const chinese = this.page.chinese();
    $('exchange-title').textContent = text(this.mode === 'read' ? 'readTitle' : 'writeTitle',
      chinese);
    $('exchange-start').textContent = text(this.mode === 'read' ? 'readButton' : 'writeButton',
      chinese);
  }

  // Runs `run` (a start button's call into the core) once the port is open.
  async start(run) {
    const { session, line } = this.page;
    // While busy the core answers with its message; the port needs no asking.
    if (session.inProgress()) {
      run();
      return;
    }
    if (!(await line.choose())) return;
    await line.open(session, this.page.lineSettings);
    repairs.forEach((button) => { button.hidden = true; });
    run();
    this.page.showGrid();
  }

  cancel() {
    if (!this.page.session.cancel()) return;
    this.page.line.close();
    this.close();
  }

  close() {
    if (dialog.open) dialog.close();
  }
}
