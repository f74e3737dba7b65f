// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own captions in both languages, [English, Chinese]. The grid's
// texts and every message come from the core; the captions the desktop
// program also has are worded as it words them.

export const TEXTS = {
  title: ['Merivon ZT790 C1.0 series program software', 'Merivon  ZT790 C1.0 系列对讲机编程软件'],
  file: ['File', '文件'],
  open: ['Open', '打开'],
  save: ['Save', '保存'],
  importCsv: ['Import CSV...', '导入CSV...'],
  exportCsv: ['Export CSV...', '导出CSV...'],
  edit: ['Edit', '编辑'],
  undo: ['Undo', '撤销'],
  redo: ['Redo', '重做'],
  program: ['Program', '编程'],
  read: ['Read from radio', '从对讲机读取数据'],
  write: ['Write to radio', '向对讲机写入数据'],
  model: ['Model', '机型'],
  language: ['Language', '语言'],
  modified: ['Modified', '已修改'],
  port: ['Port:', '端口：'],
  noPort: ['not chosen yet', '尚未选择'],
  portChosen: ['chosen', '已选择'],
  choosePort: ['Choose port', '选择端口'],
  noSerial: [
    'Reading and writing a radio needs Web Serial, which Chrome and Edge (version 89 or later) '
      + 'have on Windows, macOS, Linux and ChromeOS. This browser lacks it: opening, editing '
      + 'and saving files works here all the same.',
    '读写对讲机需要 Web Serial，Windows、macOS、Linux 和 ChromeOS 上的 Chrome 和 Edge'
      + '（89 版或更新）都支持。本浏览器不支持：打开、编辑和保存文件照样可用。'],
  readTitle: ['Read Data From Radio', '从对讲机读取数据'],
  readButton: ['Read', '读取'],
  writeTitle: ['Write Data to Radio', '写数据到对讲机'],
  writeButton: ['Write', '写入'],
  writeAgain: ['Write Again', '重新写入'],
  restoreBackup: ['Restore Backup', '恢复备份'],
  saveBackup: ['Save Backup', '保存备份'],
  cancel: ['Cancel', '取消'],
  ok: ['OK', '确定'],
  csvTitle: ['Import CSV', '导入CSV'],
  csvFile: ['File: ', '文件：'],
  csvMerge: ['Merge: keep the channels the file does not store',
    '合并：保留文件中没有的信道'],
  csvReplace: ['Replace: empty the channels the file does not store',
    '替换：清空文件中没有的信道'],
  csvSkip: ['Skip the rows that do not fit and import the rest',
    '跳过不合适的行，导入其余各行'],
  csvRenumber: ['Number the rows in file order from channel 1',
    '按文件顺序编号，从信道 1 起'],
  csvImport: ['Import', '导入'],
};

// The caption of `key` in the language in force.
export function text(key, chinese) {
  return TEXTS[key][chinese ? 1 : 0];
}
