// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes: the core's messages, { text, title }, one after the other.

const dialog = document.getElementById('message');
const queue = [];

function showNext() {
  if (dialog.open || queue.length === 0) return;
  const { text, title, done } = queue[0];
  document.getElementById('message-title').textContent = title;
  document.getElementById('message-text').textContent = text;
  dialog.showModal();
  dialog.addEventListener('close', () => {
    queue.shift();
    done();
    showNext();
  }, { once: true });
}

document.getElementById('message-ok').addEventListener('click', () => dialog.close());

// Shows a message after the handler that raised it has returned; the promise
// settles when the user has closed it.
export function showMessage(message) {
  if (!message) return Promise.resolve();
  return new Promise((done) => {
    queue.push({ text: message.text, title: message.title, done });
    setTimeout(showNext, 0);
  });
}
