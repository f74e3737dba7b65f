// SPDX-License-Identifier: GPL-3.0-or-later
// The user's serial port through Web Serial, for the core's link: the port is
// chosen by the user's click, opened for an exchange and closed after it; every
// chunk the reader gets goes to the core, and the bytes the core sends during
// one event go out in one write.

export class SerialLine {
  constructor() {
    this.port = null;
    this.reader = null;
    this.writer = null;
    this.session = null;
    this.pending = [];
    this.closing = Promise.resolve();
    this.onChange = () => {};
  }

  static available() {
    return 'serial' in navigator;
  }

  // Called by the core for every byte it sends.
  write(byte) {
    this.pending.push(byte);
    if (this.pending.length === 1) queueMicrotask(() => this.flush());
  }

  flush() {
    const bytes = Uint8Array.from(this.pending);
    this.pending = [];
    if (this.writer) this.writer.write(bytes).catch(() => {});
  }

  // A short description of the chosen port for the status bar, or null.
  describe() {
    if (!this.port) return null;
    const info = this.port.getInfo ? this.port.getInfo() : {};
    const hex = (n) => n.toString(16).padStart(4, '0');
    return info.usbVendorId !== undefined
      ? `USB ${hex(info.usbVendorId)}:${hex(info.usbProductId)}` : '';
  }

  // Asks the user for a port when none is chosen yet. Must run inside the
  // click that asks for it; false when the user chose none.
  async choose() {
    if (this.port) return true;
    try {
      this.port = await navigator.serial.requestPort();
    } catch {
      return false;
    }
    this.onChange();
    return true;
  }

  // Opens the chosen port for an exchange and tells the core whether it is
  // open, with the system's reason when not.
  async open(session, settings) {
    this.session = session;
    await this.closing;
    if (this.reader) {
      session.portConnected(true, '');
      return;
    }
    try {
      await this.port.open(settings);
    } catch (error) {
      session.portConnected(false, String(error.message || error));
      this.forget();
      return;
    }
    this.writer = this.port.writable.getWriter();
    this.reader = this.port.readable.getReader();
    session.portConnected(true, '');
    this.readLoop(session, this.reader);
  }

  async readLoop(session, reader) {
    try {
      for (;;) {
        const { value, done } = await reader.read();
        if (done) return;
        session.portReceive(value);
      }
    } catch (error) {
      // The cable was pulled: the link finds its port gone.
      if (this.reader === reader) session.portConnected(false, String(error.message || error));
    }
  }

  // Closes the port after an exchange; the choice stays for the next one.
  close() {
    const { port, reader, writer } = this;
    if (!reader) return this.closing;
    this.reader = null;
    this.writer = null;
    if (this.session) this.session.portConnected(false, '');
    this.closing = (async () => {
      try { await reader.cancel(); } catch { /* already gone */ }
      reader.releaseLock();
      try { await writer.close(); } catch { /* already gone */ }
      writer.releaseLock();
      try { await port.close(); } catch { /* already gone */ }
    })();
    return this.closing;
  }

  // The port would not open: the next exchange asks for one again.
  forget() {
    this.reader = null;
    this.writer = null;
    this.port = null;
    this.onChange();
  }
}
