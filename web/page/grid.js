// SPDX-License-Identifier: GPL-3.0-or-later
// The channel grid: 128 rows of the texts the core gives, a current cell, and
// an editor laid into it (a text box for frequencies and names, a list for
// tones, power and bandwidth). Which cell opens, what a commit stores, the
// message it raises, where Enter goes and how long a text may grow are the
// core's; the grid only draws and forwards.

import { showMessage } from './messages.js';

const NONE = 0;
const TEXT = 1;
const LIST = 2;
const COLUMNS = 8;
const CHANNELS = 128;

export class ChannelGrid {
  // `onEdit` is told after anything was stored, `onCaption` the caption.
  constructor(session, onEdit, onCaption) {
    this.session = session;
    this.onEdit = onEdit;
    this.onCaption = onCaption;
    this.table = document.getElementById('grid');
    this.body = this.table.tBodies[0];
    this.current = { channel: 1, column: 1 };
    this.editor = null; // { kind, element, seed }
    this.build();
  }

  build() {
    const header = this.table.tHead.rows[0];
    for (let col = 0; col < COLUMNS; col += 1) header.append(document.createElement('th'));
    for (let c = 1; c <= CHANNELS; c += 1) {
      const tr = this.body.insertRow();
      for (let col = 0; col < COLUMNS; col += 1) {
        const td = tr.insertCell();
        td.dataset.channel = c;
        td.dataset.column = col;
      }
    }
    // With no editor open (a cell that does not open) the table takes the keys.
    this.table.tabIndex = 0;
    this.table.addEventListener('keydown', (event) => {
      if (event.target !== this.table) return;
      if (event.key === 'Enter') {
        event.preventDefault();
        this.enter();
      } else {
        this.moveKey(event);
      }
    });
    this.body.addEventListener('mousedown', (event) => {
      const td = event.target.closest('td');
      if (!td || td.contains(this.editor?.element)) return;
      event.preventDefault();
      const column = Number(td.dataset.column);
      if (column > 0) this.moveTo(Number(td.dataset.channel), column);
    });
  }

  cell(channel, column) {
    return this.body.rows[channel - 1].cells[column];
  }

  // Everything again from the core: the header, every row (shown afresh, or
  // `rows` as the core last showed them) and the caption.
  showAll(rows = this.session.rows()) {
    this.drop();
    this.session.headerTitles().forEach((title, col) => {
      this.table.tHead.rows[0].cells[col].textContent = title;
    });
    rows.forEach((row, i) => this.fill(i + 1, row));
    this.mark();
  }

  fill(channel, row) {
    row.forEach((texts, col) => {
      const td = this.cell(channel, col);
      if (!this.editor || !td.contains(this.editor.element)) td.textContent = texts;
    });
  }

  mark() {
    this.body.querySelectorAll('td.current').forEach((td) => td.classList.remove('current'));
    this.cell(this.current.channel, this.current.column).classList.add('current');
    this.onCaption(this.session.caption(this.current.channel));
  }

  // The current cell moves: what the editor holds is committed first (only
  // when the user changed it), then the new cell's editor opens.
  moveTo(channel, column) {
    this.leave();
    this.current = { channel, column };
    this.mark();
    this.cell(channel, column).scrollIntoView({ block: 'nearest', inline: 'nearest' });
    this.begin();
  }

  begin() {
    const { channel, column } = this.current;
    const kind = this.session.cellEditor(channel, column);
    if (kind === NONE) {
      this.table.focus({ preventScroll: true });
      return;
    }
    const td = this.cell(channel, column);
    const seed = td.textContent;
    let element;
    if (kind === TEXT) {
      element = document.createElement('input');
      element.value = seed;
      element.addEventListener('beforeinput', (event) => this.filter(event));
      element.addEventListener('keydown', (event) => this.editorKey(event, true));
    } else {
      element = document.createElement('select');
      this.session.choices(column).forEach((item) => element.add(new Option(item)));
      element.selectedIndex = [...element.options].findIndex((o) => o.text === seed.trim());
      element.addEventListener('change', () => this.choose());
      element.addEventListener('keydown', (event) => this.editorKey(event, false));
    }
    element.setAttribute('aria-label', this.table.tHead.rows[0].cells[column].textContent.trim());
    this.editor = { kind, element, seed };
    td.textContent = '';
    td.append(element);
    element.focus();
    if (kind === TEXT) element.select();
  }

  // Commits and closes the open editor, as leaving its cell does.
  leave() {
    const editor = this.editor;
    if (!editor) return;
    const { channel, column } = this.current;
    this.editor = null;
    editor.element.remove();
    if (editor.kind === TEXT && editor.element.value !== editor.seed) {
      const message = this.session.commitText(channel, column, editor.element.value);
      this.stored(channel);
      showMessage(message);
    } else {
      this.fill(channel, this.session.row(channel));
    }
  }

  // Closes the editor without storing what it holds (the image changed under it).
  drop() {
    if (!this.editor) return;
    this.editor.element.remove();
    this.editor = null;
  }

  stored(channel) {
    this.fill(channel, this.session.row(channel));
    this.onEdit();
  }

  choose() {
    const { channel, column } = this.current;
    this.session.choose(channel, column, this.editor.element.selectedIndex);
    this.onEdit();
  }

  filter(event) {
    if (event.inputType !== 'insertText' || !event.data) return;
    if (!this.session.textBoxTakes(this.current.column, event.target.value)) event.preventDefault();
  }

  enter() {
    const { channel, column } = this.current;
    this.leave();
    const to = this.session.enterTarget(channel, column);
    this.moveTo(to.channel, to.column);
  }

  // Keys that move the current cell, as in a spreadsheet.
  moveKey(event) {
    const { channel, column } = this.current;
    const moves = {
      ArrowUp: [Math.max(channel - 1, 1), column],
      ArrowDown: [Math.min(channel + 1, CHANNELS), column],
      Tab: event.shiftKey ? [channel, Math.max(column - 1, 1)] : [channel, Math.min(column + 1, 7)],
    };
    const to = moves[event.key];
    if (!to) return false;
    event.preventDefault();
    this.moveTo(to[0], to[1]);
    return true;
  }

  // Enter stores the cell, Escape drops the edit; a text box gives the other
  // moving keys to the grid, a drop-down keeps its arrows and passes on Tab.
  editorKey(event, arrowsMove) {
    if (event.key === 'Enter') {
      event.preventDefault();
      this.enter();
    } else if (event.key === 'Escape') {
      event.preventDefault();
      this.escape();
    } else if (arrowsMove || event.key === 'Tab') {
      this.moveKey(event);
    }
  }

  // Escape leaves the cell's editor, storing nothing typed into it.
  escape() {
    this.drop();
    this.fill(this.current.channel, this.session.row(this.current.channel));
    this.table.focus({ preventScroll: true });
  }

  // The editor holds text the user typed and has not committed yet.
  typing() {
    return this.editor?.kind === TEXT && this.editor.element.value !== this.editor.seed;
  }
}
