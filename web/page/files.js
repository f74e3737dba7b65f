// SPDX-License-Identifier: GPL-3.0-or-later
// Files in and out of the page: the text of a file the user picks, and a file
// handed to the browser's downloads.

// The text of the file an <input type=file> holds, with its name.
export async function pickedText(input) {
  const file = input.files && input.files[0];
  if (!file) return null;
  return { name: file.name, text: await file.text() };
}

export function download(name, text, type) {
  const url = URL.createObjectURL(new Blob([text], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}
