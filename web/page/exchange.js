// SPDX-License-Identifier: GPL-3.0-or-later
// The read and write panels: the same status line, progress bar, start and
// Cancel buttons as the desktop program's read and write windows, over the
// core's link. What the panel shows, when the exchange may start, stop or
// close and every message come from the core through `observer`.

import { showMessage } from './messages.js';
import { text } from './texts.js';

const dialog = document.getElementById('exchange');
const title = document.getElementById('exchange-title');
const status = document.getElementById('exchange-status');
const progress = document.getElementById('exchange-progress');
const start = document.getElementById('exchange-start');
const cancel = document.getElementById('exchange-cancel');

export class ExchangePanel {
  // `page` has session, line, chinese() and afterExchange(mode, outcome).
  constructor(page) {
    this.page = page;
    this.mode = 'read';
    start.addEventListener('click', () => this.start());
    cancel.addEventListener('click', () => this.cancel());
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
      onStatus: (label) => { status.textContent = label; },
      onMessage: (message) => { showMessage(message); },
      onFinished: (outcome) => {
        // After the core's call has returned: the port closes, the grid shows
        // what a read brought.
        setTimeout(() => {
          this.page.line.close();
          this.page.afterExchange(this.mode, outcome);
        }, 0);
      },
      onCloseDue: () => setTimeout(() => this.close(), 0),
    };
  }

  open(mode) {
    this.mode = mode;
    status.textContent = '';
    progress.hidden = true;
    progress.value = 0;
    this.retranslate();
    dialog.showModal();
  }

  retranslate() {
    const chinese = this.page.chinese();
    title.textContent = text(this.mode === 'read' ? 'readTitle' : 'writeTitle', chinese);
    start.textContent = text(this.mode === 'read' ? 'readButton' : 'writeButton', chinese);
    cancel.textContent = text('cancel', chinese);
  }

  async start() {
    const { session, line } = this.page;
    const run = () => (this.mode === 'read' ? session.startRead() : session.startWrite());
    // While busy the core answers with its message; the port needs no asking.
    if (session.inProgress()) {
      run();
      return;
    }
    if (!(await line.choose())) return;
    await line.open(session, this.page.lineSettings);
    const result = run();
    this.page.showGrid();
    if (result !== 0) line.close();
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
