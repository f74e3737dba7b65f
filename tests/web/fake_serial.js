// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for navigator.serial, injected before the page loads: one port,
// behind which the simulated radio (src/sim compiled to WebAssembly) answers.
// The line between them moves each byte in 1/960 s when paced, as 9600 baud
// 8N1 does, and at once otherwise. window.zt790Radio lets a test load the
// radio's memory, add faults, read its memory and see the bytes it was sent.
(() => {
  const byteMs = 10 * 1000 / 9600;
  const control = {
    pace: false,
    received: [],
    radio: null,
    ready: import('/sim/zt790sim.js').then((m) => m.default()).then((sim) => {
      control.radio = new sim.SimRadio();
    }),
    async load(bytes) { await control.ready; control.radio.load(new Uint8Array(bytes)); },
    async addFault(spec) { await control.ready; return control.radio.addFault(spec); },
    async memory() { await control.ready; return [...control.radio.memory()]; },
    // How often the program sent the programming request.
    requests() {
      const text = String.fromCharCode(...control.received);
      return text.split('PROGRAM\x02').length - 1;
    },
  };
  window.zt790Radio = control;

  class FakePort extends EventTarget {
    readable = null;
    writable = null;
    inFree = 0; // when the radio has heard the last byte sent to it
    outFree = 0; // when the program has had the last byte of the radio's answers

    async open() {
      if (this.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
      await control.ready;
      this.readable = new ReadableStream({ start: (c) => { this.reader = c; } });
      this.writable = new WritableStream({ write: (chunk) => this.take(chunk) });
    }

    async close() {
      this.readable = null;
      this.writable = null;
      this.reader = null;
    }

    // Bytes from the program: each reaches the radio when its last bit has.
    // The radio's answer depends only on that moment, so it is worked out at
    // once and only its arrival waits (one timer a frame, not one a byte).
    take(chunk) {
      const now = performance.now();
      for (const byte of chunk) {
        control.received.push(byte);
        this.inFree = control.pace ? Math.max(now, this.inFree) + byteMs : now;
        this.hear(byte, this.inFree);
      }
    }

    hear(byte, at) {
      const reader = this.reader;
      if (!reader || control.radio.cablePulled()) return;
      const reply = control.radio.receive(byte);
      const later = (ms, then) => setTimeout(() => { if (this.reader === reader) then(); },
        ms - performance.now());
      if (control.radio.cablePulled()) {
        later(at, () => {
          reader.error(new DOMException('The device has been lost.', 'NetworkError'));
          this.reader = null;
        });
        return;
      }
      if (!reply) return;
      let end = Math.max(at, this.outFree) + reply.delayMs;
      if (control.pace) end += reply.bytes.length * byteMs;
      this.outFree = end;
      // The answer arrives whole when its last byte would have.
      later(end, () => reader.enqueue(reply.bytes));
    }
  }

  const port = new FakePort();
  const serial = new EventTarget();
  serial.requestPort = async () => port;
  Object.defineProperty(Navigator.prototype, 'serial', { get: () => serial, configurable: true });
})();
